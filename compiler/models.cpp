#include "compiler/models.h"

#include <array>
#include <cstdio>
#include <utility>

namespace kbxc {
namespace {

enum class Numbering { grid, matrixSet2, matrixSet3 };

struct ModelLayout {
    ModelInfo info;
    Numbering numbering;
    int rows;            // rows from A
    int columns;         // columns from 1
    int stride;          // grid: keys per row in the index
    bool shiftHighKeys;  // grid: indexes of 128 and more move up by 30
};

constexpr int kWideShift = 30;

constexpr std::array<ModelLayout, kModelCount> kModels{{
    {{"HASK", 8000, false}, Numbering::grid, 7, 12, 16, false},
    {{"KESP", 8000, false}, Numbering::grid, 8, 16, 16, false},
    {{"ORSK", 8000, false}, Numbering::matrixSet2, 8, 23, 0, false},
    {{"PELL", 8000, false}, Numbering::matrixSet3, 8, 23, 0, false},
    {{"JALM", 8000, false}, Numbering::grid, 7, 17, 17, false},
    {{"GORM", 6400, false}, Numbering::grid, 5, 16, 16, false},
    {{"MIRK", 6400, false}, Numbering::grid, 8, 16, 16, false},
    {{"NABE", 6400, false}, Numbering::matrixSet3, 8, 23, 0, false},
    {{"FENK", 6400, false}, Numbering::grid, 7, 5, 16, false},
    {{"SORN", 6400, false}, Numbering::matrixSet3, 8, 23, 0, false},
    {{"DALO", 6400, false}, Numbering::grid, 7, 5, 16, false},
    {{"VELK", 6400, true}, Numbering::grid, 7, 20, 20, true},
    {{"TARN", 8000, true}, Numbering::grid, 7, 21, 21, true},
}};

// TYPE keywords in lookup order; containment decides, so GORMA and NABE2
// find their models through GORM and NABE.
struct TypeKeyword {
    std::string_view keyword;
    int model;
};
constexpr std::array<TypeKeyword, 14> kTypeKeywords{{
    {"HASK", 0}, {"KESP", 1}, {"ORSK", 2}, {"PELL", 3}, {"JALM", 4}, {"GORM", 5}, {"MIRK", 6},
    {"LUMO", 6}, {"NABE", 7}, {"FENK", 8}, {"SORN", 9}, {"DALO", 10}, {"VELK", 11}, {"TARN", 12},
}};

// Key matrix tables: per row, runs of consecutive key indexes from column 1
// on; columns behind the last run have no key.
struct Run {
    int first;
    int count;
};
struct MatrixRow {
    std::array<Run, 2> runs;
};
constexpr std::array<MatrixRow, 8> kMatrixSet2{{
    {{{{0, 5}, {77, 8}}}},
    {{{{5, 14}, {85, 8}}}},
    {{{{19, 14}, {93, 8}}}},
    {{{{33, 14}, {101, 8}}}},
    {{{{47, 15}, {109, 8}}}},
    {{{{62, 15}, {117, 8}}}},
    {{{{0, 0}, {0, 0}}}},
    {{{{0, 0}, {0, 0}}}},
}};
constexpr std::array<MatrixRow, 8> kMatrixSet3{{
    {{{{0, 6}, {0, 0}}}},
    {{{{6, 15}, {0, 0}}}},
    {{{{21, 15}, {0, 0}}}},
    {{{{36, 15}, {0, 0}}}},
    {{{{51, 16}, {0, 0}}}},
    {{{{67, 16}, {0, 0}}}},
    {{{{83, 16}, {0, 0}}}},
    {{{{99, 16}, {0, 0}}}},
}};

constexpr std::array<std::string_view, kPseudoKeyCount> kPseudoKeys{
    "M1H", "M1T", "M2H", "M2T", "M3H", "M3T", "BCH", "BCT", "FIH", "FIT", "FRH", "FRT", "KLH", "KLT",
};

int matrixLookup(const std::array<MatrixRow, 8>& table, int row, int column) {
    int start = 1;
    for (const Run& run : table[std::size_t(row)].runs) {
        if (column >= start && column < start + run.count) return run.first + (column - start);
        start += run.count;
    }
    return -1;
}

}  // namespace

const ModelInfo& modelInfo(int model) { return kModels.at(std::size_t(model)).info; }

int modelForTypeField(std::string_view field) {
    if (field.empty()) return -1;
    for (const TypeKeyword& entry : kTypeKeywords) {
        if (field.find(entry.keyword) != std::string_view::npos) return entry.model;
    }
    return -1;
}

int matrixKeyIndex(int model, char row, int column) {
    if (model < 0 || model >= kModelCount) return -1;
    const ModelLayout& layout = kModels[std::size_t(model)];
    const int r = row - 'A';
    if (r < 0 || r >= layout.rows || column < 1 || column > layout.columns) return -1;
    switch (layout.numbering) {
        case Numbering::matrixSet2: return matrixLookup(kMatrixSet2, r, column);
        case Numbering::matrixSet3: return matrixLookup(kMatrixSet3, r, column);
        case Numbering::grid: break;
    }
    const int index = layout.stride * r + column - 1;
    return layout.shiftHighKeys && index >= kFirstPseudoKey ? index + kWideShift : index;
}

int pseudoKeyIndex(std::string_view name) {
    for (std::size_t i = 0; i < kPseudoKeys.size(); ++i) {
        if (kPseudoKeys[i] == name) return kFirstPseudoKey + int(i);
    }
    return -1;
}

std::optional<std::string> keyIdentifier(int model, int keyIndex) {
    if (keyIndex >= kFirstPseudoKey && keyIndex < kFirstPseudoKey + kPseudoKeyCount) {
        return std::string(kPseudoKeys[std::size_t(keyIndex - kFirstPseudoKey)]);
    }
    if (model < 0 || model >= kModelCount) return std::nullopt;
    const ModelLayout& layout = kModels[std::size_t(model)];
    for (int r = 0; r < layout.rows; ++r) {
        for (int c = 1; c <= layout.columns; ++c) {
            if (matrixKeyIndex(model, char('A' + r), c) == keyIndex) {
                char id[16];
                std::snprintf(id, sizeof id, "%c%02d", 'A' + r, c);
                return std::string(id);
            }
        }
    }
    return std::nullopt;
}

}  // namespace kbxc
