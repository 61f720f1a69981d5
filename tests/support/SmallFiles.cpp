#include "tests/support/SmallFiles.h"

namespace SmallFiles {

const char* const kWaterInput = "#P HF/STO-3G Opt\n"
                                "\n"
                                "water\n"
                                "\n"
                                "0 1\n"
                                "O  0.000000  0.000000  0.117300\n"
                                "H  0.000000  0.757200 -0.469200\n"
                                "H  0.000000 -0.757200 -0.469200\n"
                                "\n";

} // namespace SmallFiles
