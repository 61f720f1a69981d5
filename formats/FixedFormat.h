#pragma once

#include <string>

// Appends value as printf's "%<width>.<precision>f" would in the C locale:
// right-justified, a point as decimal separator whatever the user's locale,
// "-0.000000" for a small negative value. Non-finite values read "nan",
// "inf" or "-inf".
void AppendFixed(std::string& out, double value, int width, int precision);
