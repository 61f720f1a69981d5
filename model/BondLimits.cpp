#include "model/BondLimits.h"

namespace {

struct BuiltInLimit {
    const char* first;
    const char* second;
    double distance; // Å
};

const BuiltInLimit kBuiltIn[] = {
    {"H", "H", 0.938},  {"N", "N", 1.641},  {"O", "O", 1.660},   {"F", "F", 1.606},
    {"P", "P", 2.524},  {"S", "S", 2.238},  {"CL", "CL", 2.231}, {"BR", "BR", 2.537},
    {"H", "C", 1.290},  {"H", "N", 1.210},  {"H", "O", 1.160},   {"H", "F", 1.120},
    {"H", "P", 1.610},  {"H", "CL", 1.480}, {"C", "C", 1.726},   {"C", "N", 1.670},
    {"C", "O", 1.640},  {"C", "F", 1.570},  {"C", "P", 2.030},   {"C", "S", 2.020},
    {"C", "CL", 2.000}, {"C", "BR", 2.140}, {"N", "O", 1.620},   {"N", "F", 1.620},
    {"N", "P", 1.920},  {"N", "S", 1.890},  {"N", "CL", 1.950},  {"N", "BR", 2.130},
    {"H", "S", 1.540},  {"H", "BR", 1.610}, {"O", "F", 1.610},   {"O", "P", 1.840},
    {"O", "S", 1.850},  {"O", "CL", 1.900}, {"O", "BR", 1.990},  {"F", "P", 1.700},
    {"F", "S", 1.780},  {"F", "CL", 1.848}, {"P", "S", 2.320},   {"P", "CL", 2.240},
    {"S", "CL", 2.230}, {"P", "BR", 2.440}, {"S", "BR", 2.410},
};

} // namespace

BondLimits::BondLimits()
    : limits_(static_cast<std::size_t>(ElementTable::kRowCount) * ElementTable::kRowCount,
              kDefaultSquared) {}

BondLimits& BondLimits::instance() {
    static BondLimits limits;
    return limits;
}

void BondLimits::SetDistance(int a, int b, double distance) {
    a = ElementTable::Clamp(a);
    b = ElementTable::Clamp(b);
    limits_[a <= b ? Index(a, b) : Index(b, a)] = distance * distance;
}

void BondLimits::ApplyBuiltIn() {
    for (const BuiltInLimit& limit : kBuiltIn)
        SetDistance(ElementTable::NumberOfSymbol(limit.first),
                    ElementTable::NumberOfSymbol(limit.second), limit.distance);
}
