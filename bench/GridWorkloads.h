#pragma once
// The grid workloads W1-W3, generated from a fixed seed so that every run, and the HyperFormula peer
// (bench/peers/, which reads the files writeWorkloadFiles() leaves), computes exactly the same sheets.
//
// Every cell is given as a user would type it: "=..." is a formula, anything else a number.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace workloads {

// xorshift32: tiny, and easy to reproduce anywhere should a peer ever want to generate by itself.
class Rng {
public:
    explicit Rng(std::uint32_t seed) : state_(seed ? seed : 1u) {}
    std::uint32_t next() {
        state_ ^= state_ << 13;
        state_ ^= state_ >> 17;
        state_ ^= state_ << 5;
        return state_;
    }
    int below(int n) { return static_cast<int>(next() % static_cast<std::uint32_t>(n)); }
    // A number with two decimals in [lo, hi).
    double money(int lo, int hi) { return lo + below((hi - lo) * 100) / 100.0; }

private:
    std::uint32_t state_;
};

constexpr std::uint32_t kSeed = 20261208u;

struct Entry {
    std::int32_t col = 1;
    std::int32_t row = 1;
    std::string text;  // as typed
};

inline std::string cellName(std::int32_t col, std::int32_t row) {
    std::string letters;
    for (std::int32_t c = col; c > 0; c = (c - 1) / 26) letters.insert(letters.begin(), char('A' + (c - 1) % 26));
    return letters + std::to_string(row);
}

inline std::string numberText(double v) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return buffer;
}

// W1, standards-like: inputs A1:A40, numeric equations A41:A240 each reading 2-4 earlier cells, text
// equations A241:A260. Magnitudes stay bounded (means, differences, geometric means) so no chain of
// equations overflows or divides by zero.
struct W1 {
    static constexpr int kInputs = 40;
    static constexpr int kNumeric = 200;
    static constexpr int kText = 20;
    std::vector<Entry> inputs;              // A1:A40
    std::vector<std::vector<double>> warm;  // alternative input sets for the warm runs
    std::vector<Entry> equations;           // A41:A260, top to bottom
};

inline W1 makeW1(std::uint32_t seed = kSeed) {
    W1 w;
    Rng rng(seed);
    for (int r = 1; r <= W1::kInputs; ++r) w.inputs.push_back({1, r, numberText(rng.money(1, 100))});
    for (int set = 0; set < 2; ++set) {
        std::vector<double> values;
        for (int r = 1; r <= W1::kInputs; ++r) values.push_back(rng.money(1, 100));
        w.warm.push_back(values);
    }
    auto ref = [&](int row) { return cellName(1, 1 + rng.below(row - 1)); };
    for (int row = W1::kInputs + 1; row <= W1::kInputs + W1::kNumeric; ++row) {
        std::string a = ref(row), b = ref(row), c = ref(row), d = ref(row);
        std::string f;
        switch (rng.below(10)) {
            case 0: f = "(" + a + "+" + b + ")/2"; break;
            case 1: f = a + "-" + b + "*0.5"; break;
            case 2: f = "MAX(" + a + "," + b + "," + c + ")"; break;
            case 3: f = "MIN(" + a + "," + b + ")+" + c + "/4"; break;
            case 4: f = "SQRT(ABS(" + a + "*" + b + "))"; break;
            case 5: f = "IF(" + a + ">" + b + "," + a + "-" + b + "," + b + "-" + a + ")+" + c; break;
            case 6: f = "ROUND((" + a + "+" + b + "+" + c + "+" + d + ")/4,3)"; break;
            case 7: f = a + "/(ABS(" + b + ")+1)*" + c; break;
            case 8: f = "ABS(" + a + "-" + b + ")+MIN(" + c + "," + d + ")"; break;
            default: f = "ROUND(" + a + "*0.75+" + b + "*0.25,2)"; break;
        }
        w.equations.push_back({1, row, "=" + f});
    }
    for (int row = W1::kInputs + W1::kNumeric + 1; row <= W1::kInputs + W1::kNumeric + W1::kText; ++row) {
        std::string a = ref(W1::kInputs + W1::kNumeric + 1), b = ref(W1::kInputs + W1::kNumeric + 1);
        std::string f = rng.below(2) == 0
                            ? "IF(" + a + ">" + b + ",\"PL\"&ROUND(" + a + ",0),\"FL\"&ROUND(" + b + ",0))"
                            : "\"M\"&ROUND(" + a + ",1)&\"x\"&ROUND(" + b + ",1)";
        w.equations.push_back({1, row, "=" + f});
    }
    return w;
}

// W2: 99,500 rows. A a number; B = A + B(previous row) * 0.5 in chains of 100, each chain's first B
// rooted at $A$1 instead; C = IF(B>150, B-A, A*2); D1:D1000 sum 100 cells of C each (overlapping by
// one). 199,000 + 1,000 = 200,000 formulas. A1-style references ($ needs reference style 1).
struct W2 {
    static constexpr int kRows = 99500;
    static constexpr int kChain = 100;
    static constexpr int kSums = 1000;
    std::vector<Entry> cells;  // column by column: A, B, C, D
};

inline std::string w2SumFormula(int k) {  // k from 1
    int first = (k - 1) * 99 + 1;
    return "=SUM(C" + std::to_string(first) + ":C" + std::to_string(first + 99) + ")";
}

inline W2 makeW2(std::uint32_t seed = kSeed) {
    W2 w;
    Rng rng(seed ^ 0x5eed2u);
    w.cells.reserve(3 * W2::kRows + W2::kSums);
    for (int r = 1; r <= W2::kRows; ++r) w.cells.push_back({1, r, numberText(rng.money(0, 100))});
    for (int r = 1; r <= W2::kRows; ++r) {
        std::string previous = (r - 1) % W2::kChain == 0 ? "$A$1" : "B" + std::to_string(r - 1);
        w.cells.push_back({2, r, "=A" + std::to_string(r) + "+" + previous + "*0.5"});
    }
    for (int r = 1; r <= W2::kRows; ++r) {
        std::string s = std::to_string(r);
        w.cells.push_back({3, r, "=IF(B" + s + ">150,B" + s + "-A" + s + ",A" + s + "*2)"});
    }
    for (int k = 1; k <= W2::kSums; ++k) w.cells.push_back({4, k, w2SumFormula(k)});
    return w;
}

// W2 as the CSV a spreadsheet program writes (lines ending in CR LF, the IF formulas quoted for their
// commas).
inline std::string makeW2Csv(std::uint32_t seed = kSeed) {
    const W2 w = makeW2(seed);
    std::string csv;
    csv.reserve(static_cast<std::size_t>(W2::kRows) * 64);
    for (int r = 0; r < W2::kRows; ++r) {
        csv += w.cells[r].text;
        csv += ',';
        csv += w.cells[W2::kRows + r].text;
        csv += ",\"";
        csv += w.cells[2 * W2::kRows + r].text;
        csv += '"';
        if (r < W2::kSums) {
            csv += ',';
            csv += w.cells[3 * W2::kRows + r].text;
        }
        csv += "\r\n";
    }
    return csv;
}

// W3: 100,000 rows x 10 columns of CSV: seven number columns, three text columns.
inline std::string makeW3Csv(std::uint32_t seed = kSeed, int rows = 100000) {
    static const char* const kGrades[] = {"S235", "S275", "S355", "S460"};
    static const char* const kKinds[] = {"plate", "bolt", "angle", "flat bar", "stiffener"};
    Rng rng(seed ^ 0xc5c5u);
    std::string csv;
    csv.reserve(static_cast<std::size_t>(rows) * 72);
    for (int r = 1; r <= rows; ++r) {
        for (int c = 1; c <= 7; ++c) {
            csv += numberText(rng.money(0, c * 1000));
            csv += ',';
        }
        csv += "item";
        csv += std::to_string(r);
        csv += ',';
        csv += kGrades[rng.below(4)];
        csv += ',';
        csv += kKinds[rng.below(5)];
        csv += '\n';
    }
    return csv;
}

inline std::string jsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// Leaves w1.json, w2.json and w3.csv in dir for the peers (bench/peers/workloads.js), and w2.csv.
inline bool writeWorkloadFiles(const std::filesystem::path& dir) {
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    W1 w1 = makeW1();
    std::ofstream f1(dir / "w1.json");
    f1 << "{\"numeric\":" << W1::kNumeric << ",\"inputs\":[";
    for (std::size_t i = 0; i < w1.inputs.size(); ++i) f1 << (i ? "," : "") << w1.inputs[i].text;
    f1 << "],\"warm\":[";
    for (std::size_t s = 0; s < w1.warm.size(); ++s) {
        f1 << (s ? "," : "") << "[";
        for (std::size_t i = 0; i < w1.warm[s].size(); ++i) f1 << (i ? "," : "") << numberText(w1.warm[s][i]);
        f1 << "]";
    }
    f1 << "],\"equations\":[";
    for (std::size_t i = 0; i < w1.equations.size(); ++i) f1 << (i ? "," : "") << jsonString(w1.equations[i].text);
    f1 << "]}\n";

    // W2 as rows of [A, B, C, D] (D empty below the sums), numbers as numbers.
    W2 w2 = makeW2();
    std::ofstream f2(dir / "w2.json");
    f2 << "[";
    for (int r = 0; r < W2::kRows; ++r) {
        f2 << (r ? ",\n[" : "[") << w2.cells[r].text << "," << jsonString(w2.cells[W2::kRows + r].text) << ","
           << jsonString(w2.cells[2 * W2::kRows + r].text);
        if (r < W2::kSums) f2 << "," << jsonString(w2.cells[3 * W2::kRows + r].text);
        f2 << "]";
    }
    f2 << "]\n";

    std::ofstream f3(dir / "w3.csv", std::ios::binary);
    f3 << makeW3Csv();
    // The two grids as files for the command as a whole process (bench/process/bench.sh).
    std::ofstream f2csv(dir / "w2.csv", std::ios::binary);
    f2csv << makeW2Csv();
    return f1.good() && f2.good() && f3.good() && f2csv.good();
}

}  // namespace workloads
