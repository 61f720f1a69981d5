#pragma once

#include <string>
#include <vector>

class CMolData;
class ArgumentParser;
class JsonWriter;

// ravek-cli info FILE [reading options] [--frames all|last|none] [--secondary]:
// the model read from FILE as one JSON object on stdout. Returns the exit
// code.
int RunInfo(const std::vector<std::string>& args);

// What of a geometry info writes beyond its atoms.
struct FrameParts {
    bool modes = true;      // its normal modes
    bool secondary = false; // its residues' secondary structure
};
// Geometry g of model as one object of info's "frames".
void WriteFrame(JsonWriter& json, CMolData& model, int g, const FrameParts& parts);
// The job's end as info names it: "normal", "error" or "running".
const char* TerminationName(const CMolData& model);
// Declares "--modes all|none" to parser, setting modes (true for all).
void AddModesOption(ArgumentParser& parser, bool& modes);
