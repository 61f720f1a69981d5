#include "formats/FixedFormat.h"

#include <charconv>
#include <cmath>

void AppendFixed(std::string& out, double value, int width, int precision) {
    // Largest finite double in fixed notation: 309 digits, sign, point and
    // the decimals.
    char text[400];
    std::size_t length = 0;
    if (std::isnan(value)) {
        text[0] = 'n', text[1] = 'a', text[2] = 'n';
        length = 3;
    } else {
        const auto result =
            std::to_chars(text, text + sizeof text, value, std::chars_format::fixed, precision);
        length = static_cast<std::size_t>(result.ptr - text);
    }
    if (length < static_cast<std::size_t>(width))
        out.append(static_cast<std::size_t>(width) - length, ' ');
    out.append(text, length);
}
