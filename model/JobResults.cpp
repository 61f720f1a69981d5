#include "model/JobResults.h"

#include <cstdio>

std::string JobResults::Problem::Text() const {
    char text[240];
    switch (kind) {
    case Kind::kStatesCut:
        std::snprintf(text, sizeof text,
                      "the excited states end with the output after state %d; their last "
                      "transitions may be missing",
                      count);
        break;
    case Kind::kStateLinesUnread:
        std::snprintf(text, sizeof text, "%d excited-state lines could not be read", count);
        break;
    case Kind::kThermochemistryLacks:
        std::snprintf(text, sizeof text, "the thermochemistry has no %s",
                      count >= 0 && count < Thermochemistry::kItems ? Thermochemistry::kNames[count]
                                                                    : "?");
        break;
    case Kind::kTableCut:
        std::snprintf(text, sizeof text, "the %s table ends with the output", what.c_str());
        break;
    case Kind::kChargesLength:
    case Kind::kSpinsLength:
        std::snprintf(text, sizeof text, "the %s %s are %d values for %d atoms (not kept)",
                      what.c_str(), kind == Kind::kChargesLength ? "charges" : "spin densities",
                      count, atoms);
        break;
    case Kind::kShieldingsLength:
        std::snprintf(text, sizeof text, "the shieldings are %d values for %d atoms (not kept)",
                      count, atoms);
        break;
    }
    return text;
}
