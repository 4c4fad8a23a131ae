#pragma once

#include "server/variant.hpp"

#include <memory>
#include <utility>

namespace sheetpush::fakes {

// An object whose default value, or its lack, is fixed by the test.
class FakeObject : public AutomationObject {
public:
    explicit FakeObject(Result<Variant> value) : value_(std::move(value)) {}
    Result<Variant> defaultValue() override { return value_; }

    static Variant with(Variant value) {
        return std::shared_ptr<AutomationObject>(std::make_shared<FakeObject>(std::move(value)));
    }
    static Variant without() {
        return std::shared_ptr<AutomationObject>(
            std::make_shared<FakeObject>(Failure{error::noDefaultMember, u"no default"}));
    }

private:
    Result<Variant> value_;
};

} // namespace sheetpush::fakes
