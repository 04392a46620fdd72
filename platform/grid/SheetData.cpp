#include "platform/grid/SheetData.h"

#include <algorithm>
#include <unordered_set>
#include <cstring>  // memcpy

#include "platform/grid/FormulaWriter.h"

namespace grid {
namespace {

// Formula texts kept parsed. A standards sheet has a few hundred equations that come back on every
// run; a sheet of a hundred thousand distinct texts gains nothing from keeping them all.
constexpr std::size_t kTextCacheLimit = 16384;
constexpr std::uint64_t kExpanded = std::uint64_t{1} << 63;

FormulaParser::CustomArity customArity(const void* context, std::wstring_view upperName) {
    const auto& data = *static_cast<const SheetData*>(context);
    auto it = data.slotByName.find(std::wstring(upperName));
    if (it == data.slotByName.end()) return {};
    const FunctionSlot& slot = data.slots[static_cast<std::size_t>(it->second)];
    if (slot.custom < 0) return {};
    const CustomFunction& fn = data.customs[static_cast<std::size_t>(slot.custom)];
    return {true, fn.minArgs, fn.maxArgs};
}

}  // namespace

SheetData::SheetData() : parser(&customArity, this), evaluator(*this) {
    types.emplace_back();
    fonts.emplace_back();
}

// ---- formulas -------------------------------------------------------------------------------------

const Formula* SheetData::formulaFor(std::wstring_view text, std::int32_t col, std::int32_t row, FormulaStatus& status) {
    status = {};
    textKey.assign(1, static_cast<wchar_t>(L'0' + static_cast<int>(style)));
    textKey.append(text);
    // One hash of the text, whether it is found or entered. An entry without a formula is one whose
    // parse did not finish (an exception): it is parsed again.
    auto [it, fresh] = textCache.try_emplace(textKey);
    if (!fresh && it->second.formula) {
        const CachedText& hit = it->second;
        if (!hit.formula->hasWritten || (hit.col == col && hit.row == row)) return hit.formula;
        // The same text in another cell: the parts written as plain A1 coordinates point elsewhere
        // relative to this cell.
        scratch.clear();
        scratch.assignTree(*hit.formula);
        const std::int32_t dc = hit.col - col, dr = hit.row - row;
        for (Node& n : scratch.nodes) {
            if (n.kind != NodeKind::Cell && n.kind != NodeKind::Range) continue;
            if (n.flags & RefFlag::Col1Written) n.a += dc;
            if (n.flags & RefFlag::Row1Written) n.b += dr;
            if (n.flags & RefFlag::Col2Written) n.c += dc;
            if (n.flags & RefFlag::Row2Written) n.d += dr;
        }
        return intern(scratch);
    }
    if (textCache.size() > kTextCacheLimit) {
        textCache.clear();
        it = textCache.try_emplace(textKey).first;
    }
    scratch.clear();
    ++parses;
    status = parser.parse(text, style, scratch);
    if (!status) {
        textCache.erase(it);
        return nullptr;
    }
    if (scratch.hasWritten) {
        for (Node& n : scratch.nodes) {
            if (n.kind != NodeKind::Cell && n.kind != NodeKind::Range) continue;
            if (n.flags & RefFlag::Col1Written) n.a -= col;
            if (n.flags & RefFlag::Row1Written) n.b -= row;
            if (n.flags & RefFlag::Col2Written) n.c -= col;
            if (n.flags & RefFlag::Row2Written) n.d -= row;
        }
    }
    const Formula* f = intern(scratch);
    it->second = CachedText{f, col, row};
    return f;
}

const Formula* SheetData::intern(const Formula& tree) {
    // Only formulas with relative parts can be shared between cells; an absolute formula is found
    // again through the text cache, so keying it would cost time and memory for nothing.
    bool relative = false;
    for (const Node& n : tree.nodes)
        if ((n.kind == NodeKind::Cell || n.kind == NodeKind::Range) && (n.flags & 0x0F)) relative = true;
    if (!relative) {
        auto owned = std::make_unique<Formula>();
        owned->assignTree(tree);
        FormulaCompiler::compile(*owned, *this);
        absolute.push_back(std::move(owned));
        return absolute.back().get();
    }
    FormulaWriter::key(tree, internKey);
    auto it = interned.find(internKey);
    if (it != interned.end()) return it->second.get();
    auto owned = std::make_unique<Formula>();
    owned->assignTree(tree);
    FormulaCompiler::compile(*owned, *this);
    const Formula* result = owned.get();
    interned.emplace(internKey, std::move(owned));
    return result;
}

void SheetData::collectFormulas() {
    std::unordered_set<const Formula*> live;
    live.reserve(formulaCount);
    cells.forEach([&](std::int32_t, std::int32_t, Cell& cell) {
        if (cell.formula) live.insert(cell.formula);
    });
    std::erase_if(absolute, [&](const std::unique_ptr<Formula>& f) { return !live.contains(f.get()); });
    std::erase_if(interned, [&](const auto& entry) { return !live.contains(entry.second.get()); });
    textCache.clear();  // it may point at what was freed
    collectAt = std::max<std::size_t>(4096, 2 * storedFormulas());
}

std::int32_t SheetData::slotFor(const std::wstring& upperName) {
    auto it = slotByName.find(upperName);
    if (it != slotByName.end()) return it->second;
    FunctionSlot slot;
    slot.name = upperName;
    slot.builtin = findBuiltin(upperName);
    slots.push_back(std::move(slot));
    auto index = static_cast<std::int32_t>(slots.size() - 1);
    slotByName.emplace(upperName, index);
    return index;
}

bool SheetData::isCustom(const std::wstring& upperName) const {
    auto it = slotByName.find(upperName);
    return it != slotByName.end() && slots[static_cast<std::size_t>(it->second)].custom >= 0;
}

bool SheetData::hasEffects(std::int32_t slot) const {
    if (slot < 0 || static_cast<std::size_t>(slot) >= slots.size()) return false;
    const FunctionSlot& s = slots[static_cast<std::size_t>(slot)];
    return s.custom >= 0 || (s.builtin && (static_cast<std::uint8_t>(s.builtin->flags) &
                                           static_cast<std::uint8_t>(BuiltinFlags::Volatile)) != 0);
}

// ---- calculation ------------------------------------------------------------------------------------

void SheetData::bringUpToDate(std::int32_t col, std::int32_t row) {
    {
        const Cell* cell = cells.find(col, row);
        if (!cell || !cell->formula || cell->state != CellState::Dirty) return;
    }
    // Depth-first over what the formulas read, on an explicit stack: a chain of a hundred thousand
    // formulas must not exhaust the machine stack. A frame is a cell key; kExpanded marks a cell
    // whose precedents have been pushed and which computes once they are done.
    //
    // The walk orders cells by what their formulas could read. Where that has a cycle, the order
    // is broken somewhere, and whether it is a cycle at all depends on the values: IF(A1=0,5,C1)
    // in B1 and IF(A1=1,7,B1+1) in C1 read each other only for some A1. So a cycle met by the walk
    // is no error by itself. A formula that, running, reads a cell not computed yet is blocked on
    // it: that cell is computed first and the formula runs again. A chain of blocked formulas that
    // comes back to where it started is a cycle of what the formulas actually read: its cells get
    // the circular error.
    const std::size_t base = work.size();
    work.push_back(Dependencies::key(col, row));
    while (work.size() > base) {
        const std::uint64_t frame = work.back();
        const std::int32_t c = Dependencies::colOf(frame & ~kExpanded);
        const std::int32_t r = Dependencies::rowOf(frame);
        Cell* cell = cells.find(c, r);
        if (!(frame & kExpanded)) {
            if (!cell || !cell->formula || cell->state != CellState::Dirty) {
                work.pop_back();
                continue;
            }
            cell->state = CellState::Visiting;
            work.back() |= kExpanded;
            for (const Instr& in : cell->formula->code) {
                if (in.op != OpCode::PushCell && in.op != OpCode::PushCellRef && in.op != OpCode::PushRange) continue;
                CellRange range = resolveRange(in, in.op == OpCode::PushRange, c, r);
                range.col1 = std::max(range.col1, 1);
                range.row1 = std::max(range.row1, 1);
                range.col2 = std::min(range.col2, cols);
                range.row2 = std::min(range.row2, rows);
                // Only the cells the range holds: a range over a large empty area costs nothing.
                auto precedent = [&](std::int32_t pc, std::int32_t pr, Cell& p) {
                    if (!p.formula) return;
                    if (p.state == CellState::Dirty) work.push_back(Dependencies::key(pc, pr));
                    // A precedent on the walk already: the order found here holds only for
                    // these values, so a full calculation must not replay it.
                    else if (p.state != CellState::Clean) orderDependsOnValues = true;
                };
                if (range.isSingleCell()) {
                    if (Cell* p = cells.find(range.col1, range.row1)) precedent(range.col1, range.row1, *p);
                    continue;
                }
                for (std::int32_t pc = range.col1; pc <= range.col2 && pc < cells.columnCount(); ++pc)
                    cells.forEachInColumn(pc, range.row1, range.row2, precedent);
            }
            continue;
        }
        // Computed meanwhile, through another frame of the same cell.
        if (!cell || !cell->formula || cell->state != CellState::Visiting) {
            work.pop_back();
            continue;
        }
        const Formula* formula = cell->formula;
        cell->state = CellState::Running;
        Value v = evaluator.run(*formula, c, r);
        const std::uint64_t blocked = evaluator.blockedOn();
        ++evaluations;
        cell = cells.find(c, r);  // a custom function may have written into the sheet meanwhile
        if (!cell || cell->formula != formula) {
            work.pop_back();
            continue;
        }
        if (blocked) {
            cell->state = CellState::Visiting;
            orderDependsOnValues = true;
            if (waitFor(frame & ~kExpanded, blocked)) continue;
            v = Value::error(ErrorCode::Circular);  // nothing to wait for: never expected, never a hang
        }
        work.pop_back();
        waits.erase(frame & ~kExpanded);
        cell->value = std::move(v);
        cell->state = CellState::Clean;
        if (recording) order.push_back({cell, c, r});
    }
}

bool SheetData::waitFor(std::uint64_t waiting, std::uint64_t blocked) {
    waits[waiting] = blocked;
    auto pending = [&](std::uint64_t k) {
        const Cell* cell = cells.find(Dependencies::colOf(k), Dependencies::rowOf(k));
        return cell && cell->formula && cell->state != CellState::Clean;
    };
    // Follow what the blocked cell waits for in turn, to a cell that can run now or back here.
    std::uint64_t k = blocked;
    for (std::size_t steps = 0; steps <= waits.size(); ++steps) {
        if (k == waiting) {
            // A cycle of what the formulas read, this very calculation: every cell on it is in it.
            std::uint64_t member = waiting;
            do {
                const std::uint64_t next = waits[member];
                waits.erase(member);
                if (Cell* cell = cells.find(Dependencies::colOf(member), Dependencies::rowOf(member))) {
                    cell->value = Value::error(ErrorCode::Circular);
                    cell->state = CellState::Clean;
                    cell->set(CellBit::Cycle, true);
                    if (recording) order.push_back({cell, Dependencies::colOf(member), Dependencies::rowOf(member)});
                }
                member = next;
            } while (member != waiting && member != 0);
            return true;
        }
        auto it = waits.find(k);
        if (it == waits.end() || !pending(it->second)) break;
        k = it->second;
    }
    // k waits for nothing that is pending: compute it now (its own precedents first when it has
    // not been walked yet), then the waiting formula runs again.
    const Cell* next = cells.find(Dependencies::colOf(k), Dependencies::rowOf(k));
    if (!next || !next->formula) return false;
    if (next->state == CellState::Dirty) work.push_back(k);
    else if (next->state == CellState::Visiting) work.push_back(k | kExpanded);
    else return false;
    return true;
}

void SheetData::contentChanged(std::int32_t col, std::int32_t row) {
    if (dependencies.empty() || !autoCalc() || deferred) return;
    const std::size_t base = work.size();
    work.push_back(Dependencies::key(col, row));
    while (work.size() > base) {
        const std::uint64_t k = work.back();
        work.pop_back();
        dependencies.forEachDependent(Dependencies::colOf(k), Dependencies::rowOf(k), [&](std::uint64_t d) {
            Cell* cell = cells.find(Dependencies::colOf(d), Dependencies::rowOf(d));
            if (!cell || !cell->formula || cell->state != CellState::Clean) return;
            cell->state = CellState::Dirty;
            cell->set(CellBit::Cycle, false);
            work.push_back(d);
        });
    }
}

void SheetData::markAllFormulasDirty() {
    if (formulaCount == 0) return;
    cells.forEach([](std::int32_t, std::int32_t, Cell& cell) {
        if (cell.formula && cell.state == CellState::Clean) {
            cell.state = CellState::Dirty;
            cell.set(CellBit::Cycle, false);
        }
    });
}

void SheetData::recalcAll() {
    if (formulaCount == 0) return;
    if (orderValid) {
        const std::uint64_t generation = formulaGeneration;
        for (std::size_t i = 0; i < order.size(); ++i) {
            Ordered& o = order[i];
            Cell& cell = *o.cell;
            if (!cell.formula) continue;
            const Formula* formula = cell.formula;
            Value v = evaluator.run(*formula, o.col, o.row);
            ++evaluations;
            if (generation != formulaGeneration || evaluator.blockedOn()) {
                // A custom function changed the sheet's formulas: finish the slow way.
                markAllFormulasDirty();
                computeAllDirty();
                return;
            }
            cell.value = std::move(v);
            cell.state = CellState::Clean;
        }
        return;
    }
    markAllFormulasDirty();
    order.clear();
    recording = true;
    orderDependsOnValues = false;
    const std::uint64_t generation = formulaGeneration;
    computeAllDirty();
    recording = false;
    orderValid = generation == formulaGeneration && !orderDependsOnValues;
}

void SheetData::computeAllDirty() {
    if (formulaCount == 0) return;
    std::vector<std::uint64_t> dirty;
    cells.forEach([&](std::int32_t c, std::int32_t r, Cell& cell) {
        if (cell.formula && cell.state == CellState::Dirty) dirty.push_back(Dependencies::key(c, r));
    });
    for (std::uint64_t k : dirty) bringUpToDate(Dependencies::colOf(k), Dependencies::rowOf(k));
}

// ---- cells ------------------------------------------------------------------------------------------

CellExtra* SheetData::extra(std::int32_t col, std::int32_t row) {
    const Cell* cell = cells.find(col, row);
    if (!cell || !cell->has(CellBit::HasExtra)) return nullptr;
    auto it = extras.find(Dependencies::key(col, row));
    return it == extras.end() ? nullptr : &it->second;
}

const CellExtra* SheetData::extra(std::int32_t col, std::int32_t row) const {
    return const_cast<SheetData*>(this)->extra(col, row);
}

CellExtra& SheetData::extraAt(std::int32_t col, std::int32_t row) {
    cells.at(col, row).set(CellBit::HasExtra, true);
    return extras[Dependencies::key(col, row)];
}

void SheetData::dropExtraIfEmpty(std::int32_t col, std::int32_t row) {
    auto it = extras.find(Dependencies::key(col, row));
    if (it == extras.end() || !it->second.empty()) return;
    extras.erase(it);
    if (Cell* cell = cells.find(col, row)) cell->set(CellBit::HasExtra, false);
}

void SheetData::setContent(std::int32_t col, std::int32_t row, Value value, const Formula* formula,
                           std::optional<std::wstring> dataText) {
    Cell* cell = cells.find(col, row);
    if (!cell && value.isEmpty() && !formula && !dataText) return;  // nothing there, nothing to put
    if (!cell) cell = &cells.at(col, row);
    if (cell->formula) {
        dependencies.remove(*cell->formula, col, row);
        --formulaCount;
    }
    if (cell->formula || formula) formulasChanged();
    cell->formula = formula;
    cell->value = std::move(value);
    cell->set(CellBit::Cycle, false);
    cell->state = CellState::Clean;
    if (dataText) {
        extraAt(col, row).dataText = std::move(dataText);
    } else if (CellExtra* e = extra(col, row); e && e->dataText) {
        e->dataText.reset();
        dropExtraIfEmpty(col, row);
    }
    if (formula) {
        dependencies.add(*formula, col, row);
        ++formulaCount;
        cell->state = CellState::Dirty;
        if (!deferred) bringUpToDate(col, row);
    }
    contentChanged(col, row);
}

bool SheetData::isTextCell(std::int32_t col, std::int32_t row) const {
    const Cell* cell = cells.find(col, row);
    if (!cell || cell->type == 0) return false;
    const CellTypeCode code = types[cell->type].code;
    return code == CellTypeCode::Edit || code == CellTypeCode::StaticText;
}

std::uint16_t SheetData::internType(const CellType& type) {
    for (std::size_t i = 0; i < types.size(); ++i)
        if (types[i] == type) return static_cast<std::uint16_t>(i);
    if (types.size() >= 0xFFFF) return 0;  // FIXME: a sheet with 65535 distinct types falls back to edit cells
    types.push_back(type);
    return static_cast<std::uint16_t>(types.size() - 1);
}

std::uint16_t SheetData::internFont(const CellFont& font) {
    for (std::size_t i = 0; i < fonts.size(); ++i)
        if (fonts[i] == font) return static_cast<std::uint16_t>(i);
    if (fonts.size() >= 0xFFFF) return 0;
    fonts.push_back(font);
    return static_cast<std::uint16_t>(fonts.size() - 1);
}

}  // namespace grid
