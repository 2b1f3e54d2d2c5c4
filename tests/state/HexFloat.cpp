#include "HexFloat.h"

#include <cstdint>
#include <cstring>

namespace {
constexpr int fractionBits = 52;
constexpr std::uint64_t fractionMask = (std::uint64_t{1} << fractionBits) - 1;
constexpr int exponentMask = 0x7ff;
constexpr int exponentBias = 1023;
constexpr int hexDigitBits = 4;
}  // namespace

std::string hexFloat(double value)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    const int biasedExponent = static_cast<int>((bits >> fractionBits) & exponentMask);
    std::uint64_t fraction = bits & fractionMask;

    std::string text = (bits >> 63) != 0 ? "-" : "";
    if (biasedExponent == exponentMask)
        return text + (fraction != 0 ? "nan" : "inf");
    if (biasedExponent == 0 && fraction == 0)
        return text + "0x0p+0";

    const bool subnormal = biasedExponent == 0;
    const int exponent = subnormal ? 1 - exponentBias : biasedExponent - exponentBias;
    text += subnormal ? "0x0" : "0x1";
    if (fraction != 0) {
        text += '.';
        for (int shift = fractionBits - hexDigitBits; fraction != 0; shift -= hexDigitBits) {
            text += "0123456789abcdef"[(fraction >> shift) & 0xf];
            fraction &= (std::uint64_t{1} << shift) - 1;
        }
    }
    text += exponent < 0 ? "p-" : "p+";
    text += std::to_string(exponent < 0 ? -exponent : exponent);
    return text;
}

std::string hexFloat(float value)
{
    return hexFloat(static_cast<double>(value)) + 'f';
}
