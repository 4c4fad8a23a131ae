#pragma once

#include "vocabulary/error_numbers.hpp"
#include "vocabulary/variant.hpp"

#include <functional>
#include <memory>
#include <utility>

namespace sheetpush::fakes {

// An object whose default value, or its lack, is given by the test; fetching it may run the
// test's own code first, as a client's property does.
class FakeObject : public AutomationObject, public std::enable_shared_from_this<FakeObject> {
public:
    explicit FakeObject(std::function<Result<Variant>(FakeObject&)> fetch)
        : fetch_(std::move(fetch)) {}
    Result<Variant> defaultValue() override { return fetch_(*this); }

    static Variant calling(std::function<Result<Variant>(FakeObject&)> fetch) {
        return std::shared_ptr<AutomationObject>(std::make_shared<FakeObject>(std::move(fetch)));
    }
    static Variant with(Variant value) {
        return calling([value](FakeObject&) -> Result<Variant> { return value; });
    }
    static Variant without() {
        return calling([](FakeObject&) -> Result<Variant> { return error::noDefaultMember(); });
    }
    // An object whose default value is the object itself.
    static Variant itself() {
        return calling([](FakeObject& self) -> Result<Variant> {
            return Variant{std::shared_ptr<AutomationObject>(self.shared_from_this())};
        });
    }

private:
    std::function<Result<Variant>(FakeObject&)> fetch_;
};

} // namespace sheetpush::fakes
