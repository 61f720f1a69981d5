#include "formats/DialogFilter.h"

#include "formats/FileFormat.h"

#include <algorithm>

namespace {

// The patterns of each filter: its formats' dialog names in the format
// table's order, then (compressed) their compressed names.
std::vector<DialogFilter> WithPatterns(std::vector<DialogFilter> filters, bool compressed) {
    for (DialogFilter& filter : filters) {
        if (filter.formats.empty()) {
            filter.patterns = filter.everyFile;
            continue;
        }
        std::vector<const char*> names;
        for (const bool packed : {false, true}) {
            if (packed && !compressed)
                break;
            for (const FileFormat& format : FileFormats()) {
                const bool listed = std::any_of(
                    filter.formats.begin(), filter.formats.end(),
                    [&](const char* name) { return std::string_view(name) == format.name; });
                if (listed) {
                    const auto& own = packed ? format.compressedNames : format.dialogNames;
                    names.insert(names.end(), own.begin(), own.end());
                }
            }
        }
        for (const char* name : names)
            filter.patterns.append(filter.patterns.empty() ? "" : "; ").append(name);
    }
    return filters;
}

} // namespace

const std::vector<DialogFilter>& OpenFilters() {
    static const std::vector<DialogFilter> filters = WithPatterns(
        {
            {"Gaussian Data (*.log; *.com; *.out; *.gjf)", {"gaussian"}},
            {"PDB Data (*.pdb; *.ent; *.cif; *.mmcif; *.pdb.gz; *.ent.gz; *.cif.gz; *.mmcif.gz)",
             {"pdb", "mmcif"}},
            {"All Files (*.*)", {}, "*.*"},
            {"XYZ Files (*.xyz; *.xyz.gz)", {"xyz"}},
            {"Cube and Checkpoint Files (*.cube; *.cub; *.fchk; *.fch)", {"fchk", "cube"}},
            {"All Molecule Files (*.*)", {}, "*", true},
            {"RAVEK Sessions (*.ravek)", {}, "*.ravek", false, {}, true},
            {"Molden Files (*.molden; *.molden.input; *.molden_normal_modes)", {"molden"}},
            {"ORCA Output Files (*.out; *.log)", {"orca"}},
        },
        true);
    return filters;
}

const std::vector<DialogFilter>& SaveFilters() {
    static const std::vector<DialogFilter> filters = WithPatterns(
        {
            {"Gaussian Input Files (*.com)", {"com"}},
            {"Protein Data Bank Files (*.pdb; *.ent)", {"pdb"}},
            {"Ramachandran Plot Data (*.rpd)", {"rpd"}},
            {"All Files (*.*)", {}, "*.*"},
            {"XYZ Files (*.xyz)", {"xyz"}},
            {"RAVEK Sessions (*.ravek)", {}, "*.ravek", false, {}, true},
            {"PDB Files with Chains and Models (*.pdb; *.ent)", {"pdb-full"}},
            {"PDBx/mmCIF Files (*.cif)", {"mmcif"}},
            {"ORCA Input Files (*.inp)", {"orca-input"}},
        },
        false);
    return filters;
}

std::string FilterString(const std::vector<DialogFilter>& filters) {
    std::string text;
    for (const DialogFilter& filter : filters)
        text.append(filter.text).append("|").append(filter.patterns).append("|");
    return text + "|";
}

const DialogFilter* FilterAt(const std::vector<DialogFilter>& filters, int index) {
    return index >= 1 && index <= static_cast<int>(filters.size())
               ? &filters[static_cast<std::size_t>(index - 1)]
               : nullptr;
}

FileKind KindToOpen(const DialogFilter* filter, FileKind named) {
    if (filter != nullptr && filter->byContent && named == FileKind::kUnknown)
        return FileKind::kByContent;
    if (filter == nullptr || filter->formats.empty())
        return named;
    for (const char* name : filter->formats) {
        if (FormatNamed(name)->kind == named)
            return named;
    }
    return FormatNamed(filter->formats.front())->kind;
}

const FileFormat* FormatToSave(const DialogFilter* filter, std::string_view extension) {
    if (filter != nullptr && !filter->formats.empty())
        return FormatNamed(filter->formats.front());
    return FormatSavedAs(extension);
}
