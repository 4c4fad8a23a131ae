#include "fuzz_text.hpp"
#include "platform/argument_text.hpp"
#include "platform/portable_formatting.hpp"
#include "vocabulary/error_numbers.hpp"

#include <algorithm>
#include <cstring>
#include <memory>

using namespace sheetpush;

namespace {

// Reads the input front to back; past its end every read gives zeros.
class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    template <class T> T take() {
        T value{};
        auto n = std::min(sizeof(T), size_ - used_);
        std::memcpy(&value, data_ + used_, n);
        used_ += n;
        return value;
    }
    std::u16string rest() {
        auto text = fuzz::utf16Units(data_ + used_, size_ - used_);
        used_ = size_;
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t used_ = 0;
};

class Object : public AutomationObject {
public:
    explicit Object(std::unique_ptr<Variant> value) : value_(std::move(value)) {}
    Result<Variant> defaultValue() override {
        if (!value_)
            return error::noDefaultMember();
        return *value_;
    }

private:
    std::unique_ptr<Variant> value_;
};

std::unique_ptr<Variant> makeVariant(Input& in, int depth);

std::unique_ptr<Variant> makeScalar(Input& in, std::uint8_t kind) {
    switch (kind) {
    case 0:
        return std::make_unique<Variant>(Empty{});
    case 1:
        return std::make_unique<Variant>(Null{});
    case 2:
        return std::make_unique<Variant>(in.take<std::int16_t>());
    case 3:
        return std::make_unique<Variant>(in.take<std::int32_t>());
    case 4:
        return std::make_unique<Variant>(in.take<float>());
    case 5:
        return std::make_unique<Variant>(in.take<double>());
    case 6:
        return std::make_unique<Variant>(Currency{in.take<std::int64_t>()});
    case 7:
        return std::make_unique<Variant>(in.take<std::uint8_t>() % 2 == 1);
    case 8:
        return std::make_unique<Variant>(Date{in.take<double>()});
    case 9:
        return std::make_unique<Variant>(Unconvertible{in.take<std::uint16_t>()});
    default:
        return std::make_unique<Variant>(in.rest());
    }
}

std::unique_ptr<Variant> makeVariant(Input& in, int depth) {
    auto kind = in.take<std::uint8_t>() % 12;
    if (kind == 11 && depth < 4)
        return std::make_unique<Variant>(std::make_shared<Object>(
            in.take<std::uint8_t>() % 4 == 0 ? nullptr : makeVariant(in, depth + 1)));
    return makeScalar(in, kind);
}

} // namespace

// Any value a client can pass converts to text or fails with an automation error; none crashes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    auto value = makeVariant(in, 0);
    PortableFormatting formatting;
    auto direct = argumentText(*value, formatting);
    auto referenced = argumentText(Variant(VariantRef{value.get()}), formatting);
    fuzz::require(direct.ok() == referenced.ok());
    if (direct.ok())
        fuzz::require(direct.value() == referenced.value());
    else
        fuzz::require(direct.failure().number != 0 && !direct.failure().description.empty());
    if (value->holds<std::u16string>())
        fuzz::require(direct.ok() && direct.value() == value->as<std::u16string>());
    return 0;
}
