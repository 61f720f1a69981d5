#include "formats/DialogFilter.h"

#include "formats/FileFormat.h"

const std::vector<DialogFilter>& OpenFilters() {
    static const std::vector<DialogFilter> filters = {
        {"Gaussian Data (*.log; *.com; *.out; *.gjf)",
         "*.log; *.com; *.out; *.gjf; *.g03; *.g09; *.g16; *.log.gz; *.out.gz",
         {"gaussian"}},
        {"PDB Data (*.pdb; *.ent; *.cif; *.mmcif; *.pdb.gz; *.ent.gz; *.cif.gz; *.mmcif.gz)",
         "*.pdb; *.ent; *.cif; *.mmcif; *.pdb.gz; *.ent.gz; *.cif.gz; *.mmcif.gz",
         {"pdb", "mmcif"}},
        {"All Files (*.*)", "*.*", {}},
        {"XYZ Files (*.xyz; *.xyz.gz)", "*.xyz; *.xyz.gz", {"xyz"}},
        {"Cube and Checkpoint Files (*.cube; *.cub; *.fchk; *.fch)",
         "*.cube; *.cub; *.fchk; *.fch; *.cube.gz; *.cub.gz; *.fchk.gz",
         {"fchk", "cube"}},
        {"All Molecule Files (*.*)", "*", {}, true},
    };
    return filters;
}

const std::vector<DialogFilter>& SaveFilters() {
    static const std::vector<DialogFilter> filters = {
        {"Gaussian Input Files (*.com)", "*.com", {"com"}},
        {"Protein Data Bank Files (*.pdb; *.ent)", "*.pdb; *.ent", {"pdb"}},
        {"Ramachandran Plot Data (*.rpd)", "*.rpd", {"rpd"}},
        {"All Files (*.*)", "*.*", {}},
        {"XYZ Files (*.xyz)", "*.xyz", {"xyz"}},
    };
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
