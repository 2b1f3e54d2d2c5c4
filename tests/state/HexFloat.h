#pragma once

#include <string>

// Exact text for a floating-point value, the same on every target: the C
// libraries' "%a" differ (glibc prints 0x1.8p+1 where others print 0xc.0p-2),
// so the digits are taken from the bits here. The form is glibc's: a leading
// 1 (0 for zeros and subnormals), trailing zero digits dropped, a decimal
// exponent. Non-finite values print as inf and nan.
std::string hexFloat(double value);

// A float prints as its exact double value with the suffix f, as a C literal
// of type float would, so that a reader knows which precision to count in.
std::string hexFloat(float value);
