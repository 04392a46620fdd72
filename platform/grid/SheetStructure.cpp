// Sheet operations that move cells: inserting and deleting rows and columns, copying and swapping
// blocks, clearing. References in formulas follow the cells they point at.
#include <algorithm>
#include <optional>
#include <utility>

#include "platform/grid/Sheet.h"
#include "platform/grid/SheetData.h"

namespace grid {
namespace {

// Rows or columns inserted or deleted at `at`.
struct AxisChange {
    bool rows = true;
    std::int32_t at = 1;
    std::int32_t count = 1;
    bool insert = true;

    // Where coordinate v goes; nothing when it is deleted or pushed beyond limit.
    std::optional<std::int32_t> map(std::int32_t v, std::int32_t limit) const {
        if (v < at) return v;
        if (insert) {
            std::int64_t moved = std::int64_t{v} + count;
            if (moved > limit) return std::nullopt;
            return static_cast<std::int32_t>(moved);
        }
        if (v < at + count) return std::nullopt;
        return v - count;
    }
};

// The formula at old (col, row), rewritten for its new place (newCol, newRow) after the change:
// references to moved cells follow them, references into deleted cells become #REF!, and a range
// that loses some rows or columns shrinks.
const Formula* moveFormula(SheetData& d, const Formula& f, std::int32_t col, std::int32_t row, std::int32_t newCol,
                           std::int32_t newRow, const AxisChange& change) {
    Formula& t = d.scratch;
    t.clear();
    t.assignTree(f);
    const std::int32_t limit = change.rows ? kRowLimit : kColLimit;
    bool changed = false;
    for (Node& n : t.nodes) {
        if (n.kind != NodeKind::Cell && n.kind != NodeKind::Range) continue;
        const bool range = n.kind == NodeKind::Range;
        // Absolute coordinates before the change.
        std::int32_t c1 = resolveCoord(n.a, n.flags & RefFlag::Col1Relative, col);
        std::int32_t r1 = resolveCoord(n.b, n.flags & RefFlag::Row1Relative, row);
        std::int32_t c2 = range ? resolveCoord(n.c, n.flags & RefFlag::Col2Relative, col) : c1;
        std::int32_t r2 = range ? resolveCoord(n.d, n.flags & RefFlag::Row2Relative, row) : r1;
        std::int32_t& lo = change.rows ? r1 : c1;
        std::int32_t& hi = change.rows ? r2 : c2;
        bool swapped = lo > hi;
        if (swapped) std::swap(lo, hi);
        auto newLo = change.map(lo, limit);
        auto newHi = change.map(hi, limit);
        if (range) {
            if (!newLo && !change.insert) newLo = change.at;
            if (!newHi) newHi = change.insert ? limit : change.at - 1;
        }
        if (!newLo || !newHi || *newLo > *newHi || *newLo < 1) {
            n.kind = NodeKind::RefError;
            changed = true;
            continue;
        }
        const Node before = n;
        lo = *newLo;
        hi = *newHi;
        if (swapped) std::swap(lo, hi);
        n.a = (n.flags & RefFlag::Col1Relative) ? c1 - newCol : c1;
        n.b = (n.flags & RefFlag::Row1Relative) ? r1 - newRow : r1;
        if (range) {
            n.c = (n.flags & RefFlag::Col2Relative) ? c2 - newCol : c2;
            n.d = (n.flags & RefFlag::Row2Relative) ? r2 - newRow : r2;
        }
        changed = changed || n.a != before.a || n.b != before.b || n.c != before.c || n.d != before.d;
    }
    // Untouched formulas keep their compiled form (and absolute ones are not copied again).
    return changed ? d.intern(t) : &f;
}

void restructure(SheetData& d, const AxisChange& change) {
    const std::int32_t sheetLimit = change.rows ? d.rows : d.cols;
    auto place = [&](std::int32_t c, std::int32_t r) -> std::optional<std::pair<std::int32_t, std::int32_t>> {
        std::int32_t& v = change.rows ? r : c;
        if (v == 0) return std::make_pair(c, r);  // headers stay
        auto moved = change.map(v, sheetLimit);
        if (!moved) return std::nullopt;
        v = *moved;
        return std::make_pair(c, r);
    };

    // Take every cell out, then put each back where it goes.
    struct Moved {
        std::int32_t col, row;
        Cell cell;
    };
    std::vector<Moved> all;
    d.cells.forEach([&](std::int32_t c, std::int32_t r, Cell& cell) { all.push_back({c, r, std::move(cell)}); });
    d.cells.clear();
    d.dependencies.clear();
    d.formulaCount = 0;
    d.formulasChanged();
    std::unordered_map<std::uint64_t, CellExtra> extras;
    for (Moved& m : all) {
        auto to = place(m.col, m.row);
        if (!to) continue;
        if (m.cell.formula)
            m.cell.formula = moveFormula(d, *m.cell.formula, m.col, m.row, to->first, to->second, change);
        if (m.cell.has(CellBit::HasExtra)) {
            auto it = d.extras.find(Dependencies::key(m.col, m.row));
            if (it != d.extras.end()) extras.emplace(Dependencies::key(to->first, to->second), std::move(it->second));
        }
        d.cells.at(to->first, to->second) = std::move(m.cell);
    }
    d.extras = std::move(extras);
    d.cells.forEach([&](std::int32_t c, std::int32_t r, Cell& cell) {
        if (!cell.formula) return;
        d.dependencies.add(*cell.formula, c, r);
        ++d.formulaCount;
        cell.state = CellState::Clean;
    });

    // Sizes and spans move too.
    auto& sizes = change.rows ? d.rowHeights : d.colWidths;
    std::unordered_map<std::int32_t, double> movedSizes;
    for (auto& [index, size] : sizes) {
        if (index == 0) {
            movedSizes[0] = size;
        } else if (auto to = change.map(index, sheetLimit)) {
            movedSizes[*to] = size;
        }
    }
    sizes = std::move(movedSizes);
    SpanIndex spans;
    for (CellRange s : d.spans.all()) {
        std::int32_t& lo = change.rows ? s.row1 : s.col1;
        std::int32_t& hi = change.rows ? s.row2 : s.col2;
        if (lo == 0) {
            spans.add(s);
            continue;
        }
        auto newLo = change.map(lo, sheetLimit);
        auto newHi = change.map(hi, sheetLimit);
        if (!newLo) continue;  // the anchor is gone
        if (!newHi) newHi = change.insert ? sheetLimit : change.at - 1;
        lo = *newLo;
        hi = std::max(*newHi, *newLo);
        if (!s.isSingleCell()) spans.add(s);  // a span squeezed into another's cells is dropped
    }
    d.spans = std::move(spans);

    d.markAllFormulasDirty();
    if (d.autoCalc()) d.computeAllDirty();
}

bool validRange(const SheetData& d, CellRange& r) {
    if (r.col1 == kHeader) r.col1 = 1;
    if (r.row1 == kHeader) r.row1 = 1;
    if (r.col2 == kHeader) r.col2 = d.cols;
    if (r.row2 == kHeader) r.row2 = d.rows;
    if (r.col1 > r.col2) std::swap(r.col1, r.col2);
    if (r.row1 > r.row2) std::swap(r.row1, r.row2);
    return r.col1 >= 1 && r.row1 >= 1 && r.col2 <= d.cols && r.row2 <= d.rows;
}

}  // namespace

bool Sheet::insertRows(std::int32_t row, std::int32_t count) {
    SheetData& d = *data_;
    if (row < 1 || row > d.rows || count < 1) return false;
    restructure(d, {true, row, count, true});
    return true;
}

bool Sheet::deleteRows(std::int32_t row, std::int32_t count) {
    SheetData& d = *data_;
    if (row < 1 || row > d.rows || count < 1) return false;
    restructure(d, {true, row, std::min(count, d.rows - row + 1), false});
    return true;
}

bool Sheet::insertCols(std::int32_t col, std::int32_t count) {
    SheetData& d = *data_;
    if (col < 1 || col > d.cols || count < 1) return false;
    restructure(d, {false, col, count, true});
    return true;
}

bool Sheet::deleteCols(std::int32_t col, std::int32_t count) {
    SheetData& d = *data_;
    if (col < 1 || col > d.cols || count < 1) return false;
    restructure(d, {false, col, std::min(count, d.cols - col + 1), false});
    return true;
}

bool Sheet::copyRange(const CellRange& source, std::int32_t col, std::int32_t row) {
    SheetData& d = *data_;
    CellRange src = source;
    if (!validRange(d, src)) return false;
    CellRange dst{col, row, col + src.columns() - 1, row + src.rows() - 1};
    if (col < 1 || row < 1 || dst.col2 > d.cols || dst.row2 > d.rows) return false;
    // Snapshot the source first: the blocks may overlap.
    struct Copied {
        std::int32_t dc, dr;
        Value value;
        const Formula* formula;
        std::uint16_t type;
        bool locked;
        std::optional<CellExtra> extra;
    };
    std::vector<Copied> copies;
    for (std::int32_t c = src.col1; c <= src.col2; ++c)
        for (std::int32_t r = src.row1; r <= src.row2; ++r) {
            const Cell* cell = d.cells.find(c, r);
            Copied copy{c - src.col1, r - src.row1, {}, nullptr, 0, false, std::nullopt};
            if (cell) {
                copy.value = cell->value;
                copy.formula = cell->formula;
                copy.type = cell->type;
                copy.locked = cell->has(CellBit::Locked);
                if (const CellExtra* e = d.extra(c, r)) copy.extra = *e;
            }
            copies.push_back(std::move(copy));
        }
    std::vector<std::pair<std::int32_t, std::int32_t>> formulas;
    for (Copied& copy : copies) {
        std::int32_t c = dst.col1 + copy.dc, r = dst.row1 + copy.dr;
        std::optional<std::wstring> dataText;
        if (copy.extra) dataText = copy.extra->dataText;
        // Relative references are stored relative to the cell, so the copy reads the cells at the
        // same offsets from its new place without any rewriting.
        d.setContent(c, r, copy.formula ? Value() : std::move(copy.value), copy.formula, std::move(dataText));
        if (copy.formula) formulas.emplace_back(c, r);
        Cell* cell = d.cells.find(c, r);
        if (!cell && (copy.type || copy.locked || copy.extra)) cell = &d.cells.at(c, r);
        if (cell) {
            cell->type = copy.type;
            cell->set(CellBit::Locked, copy.locked);
        }
        d.extras.erase(Dependencies::key(c, r));
        if (cell) cell->set(CellBit::HasExtra, false);
        if (copy.extra && !copy.extra->empty()) d.extraAt(c, r) = std::move(*copy.extra);
    }
    // A copied formula may read cells copied after it.
    for (auto [c, r] : formulas) recalcCell(c, r);
    return true;
}

bool Sheet::swapRange(const CellRange& source, std::int32_t col, std::int32_t row) {
    SheetData& d = *data_;
    CellRange a = source;
    if (!validRange(d, a)) return false;
    CellRange b{col, row, col + a.columns() - 1, row + a.rows() - 1};
    if (col < 1 || row < 1 || b.col2 > d.cols || b.row2 > d.rows) return false;
    bool overlap = a.col1 <= b.col2 && b.col1 <= a.col2 && a.row1 <= b.row2 && b.row1 <= a.row2;
    if (overlap) return a == b;
    d.formulasChanged();
    auto unlink = [&](std::int32_t c, std::int32_t r) {
        if (Cell* cell = d.cells.find(c, r); cell && cell->formula) {
            d.dependencies.remove(*cell->formula, c, r);
            --d.formulaCount;
        }
    };
    auto link = [&](std::int32_t c, std::int32_t r) {
        if (Cell* cell = d.cells.find(c, r); cell && cell->formula) {
            d.dependencies.add(*cell->formula, c, r);
            ++d.formulaCount;
            cell->state = CellState::Dirty;
            cell->set(CellBit::Cycle, false);
        }
    };
    for (std::int32_t dc = 0; dc < a.columns(); ++dc)
        for (std::int32_t dr = 0; dr < a.rows(); ++dr) {
            std::int32_t ac = a.col1 + dc, ar = a.row1 + dr, bc = b.col1 + dc, br = b.row1 + dr;
            unlink(ac, ar);
            unlink(bc, br);
            Cell* ca = d.cells.find(ac, ar);
            Cell* cb = d.cells.find(bc, br);
            if (!ca && !cb) continue;
            if (!ca) ca = &d.cells.at(ac, ar);
            if (!cb) cb = &d.cells.at(bc, br);
            ca = d.cells.find(ac, ar);  // at() may have grown a column's block table
            std::swap(*ca, *cb);
            auto ka = Dependencies::key(ac, ar), kb = Dependencies::key(bc, br);
            auto ia = d.extras.find(ka), ib = d.extras.find(kb);
            std::optional<CellExtra> ea, eb;
            if (ia != d.extras.end()) ea = std::move(ia->second), d.extras.erase(ia);
            ib = d.extras.find(kb);
            if (ib != d.extras.end()) eb = std::move(ib->second), d.extras.erase(ib);
            if (ea) d.extras.emplace(kb, std::move(*ea));
            if (eb) d.extras.emplace(ka, std::move(*eb));
            link(ac, ar);
            link(bc, br);
        }
    for (std::int32_t dc = 0; dc < a.columns(); ++dc)
        for (std::int32_t dr = 0; dr < a.rows(); ++dr) {
            d.contentChanged(a.col1 + dc, a.row1 + dr);
            d.contentChanged(b.col1 + dc, b.row1 + dr);
        }
    d.computeAllDirty();
    return true;
}

void Sheet::clear() {
    SheetData& d = *data_;
    d.cells.clear();
    d.extras.clear();
    d.spans.clear();
    d.colWidths.clear();
    d.rowHeights.clear();
    d.dependencies.clear();
    d.formulaCount = 0;
    d.formulasChanged();
    d.order.clear();
    // The compiled formulas stay (no cell holds them now; the next sweep frees them unless they are
    // set again): a sheet cleared and loaded with the same file again finds its texts in the cache.
    d.types.resize(1);
    d.fonts.resize(1);
}

std::shared_ptr<const SheetContent> Sheet::saveContent() const {
    const SheetData& d = *data_;
    if (d.formulaCount > 0) return nullptr;
    auto content = std::make_shared<SheetContent>();
    content->rows = d.rows;
    content->cols = d.cols;
    content->cells = d.cells;
    content->extras = d.extras;
    content->types = d.types;
    content->fonts = d.fonts;
    content->spans = d.spans;
    content->colWidths = d.colWidths;
    content->rowHeights = d.rowHeights;
    content->look = d.look;
    return content;
}

void Sheet::restoreContent(const SheetContent& content) {
    SheetData& d = *data_;
    // The cell blocks are kept for the copy: a pooled grid given the same sheet again reuses them.
    CellStore cells = std::move(d.cells);
    clear();
    d.cells = std::move(cells);
    d.rows = content.rows;
    d.cols = content.cols;
    d.cells.copyFrom(content.cells);
    d.extras = content.extras;
    d.types = content.types;
    d.fonts = content.fonts;
    d.spans = content.spans;
    d.colWidths = content.colWidths;
    d.rowHeights = content.rowHeights;
    d.look = content.look;
}

void Sheet::reset() {
    clear();
    SheetData& d = *data_;
    d.rows = 0;
    d.cols = 0;
    d.switches.clear();
    d.autoCalcOn = true;
    d.style = RefStyle::Legacy;
    d.look = SheetLook{};
    d.fonts[0] = CellFont{};
}

}  // namespace grid
