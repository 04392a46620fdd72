// Runs the grid workloads W1-W3 on HyperFormula, the peer connsheet's engine is measured against.
// The workloads are the files that `bench_grid_workloads --write-workloads=DIR` leaves (the same seed
// and generator as our own benchmarks), so both engines compute exactly the same sheets.
//
//   node workloads.js DIR [w1|w2|w3]...
//
// Prints one JSON object per measurement: {"name":"W1/warm","seconds":...,"checksum":...}; W3 also
// reports the process's peak resident memory ("peakMB"), so run it in a process of its own.
'use strict';
const fs = require('fs');
const path = require('path');
const { HyperFormula } = require('hyperformula');

const options = { licenseKey: 'gpl-v3', maxRows: 200000 };

function now() {
    return Number(process.hrtime.bigint()) / 1e9;
}

function report(name, seconds, extra) {
    console.log(JSON.stringify(Object.assign({ name, seconds }, extra || {})));
}

function numericSum(hf, rows) {
    let sum = 0;
    for (const row of rows) {
        const v = hf.getCellValue({ sheet: 0, col: 0, row: row - 1 });
        if (typeof v === 'number') sum += v;
    }
    return sum;
}

function w1(dir) {
    const w = JSON.parse(fs.readFileSync(path.join(dir, 'w1.json'), 'utf8'));
    const numericRows = [];
    for (let r = w.inputs.length + 1; r <= w.inputs.length + w.numeric; ++r) numericRows.push(r);
    const column = w.inputs.concat(w.equations).map((t) => [t]);

    // Cold: build and first calculation, then read every result (after untimed rounds of the same).
    let reps = 20, t0 = 0, checksum = 0;
    for (let i = -5; i < reps; ++i) {
        if (i === 0) t0 = now();
        const hf = HyperFormula.buildFromArray(column, options);
        checksum = numericSum(hf, numericRows);
        hf.destroy();
    }
    report('W1/cold', (now() - t0) / reps, { checksum });

    // Sequential: as the standards engine works, set each equation and read its value at once.
    reps = 10;
    let total = 0;
    for (let i = -3; i < reps; ++i) {
        const hf = HyperFormula.buildFromArray(w.inputs.map((t) => [t]), options);
        const start = now();
        checksum = 0;
        w.equations.forEach((formula, k) => {
            const address = { sheet: 0, col: 0, row: w.inputs.length + k };
            hf.setCellContents(address, [[formula]]);
            const v = hf.getCellValue(address);
            if (typeof v === 'number' && k < w.numeric) checksum += v;
        });
        if (i >= 0) total += now() - start;
        hf.destroy();
    }
    report('W1/sequential', total / reps, { checksum });

    // Warm: change all inputs in one range call, recalculate, read the numeric results. The first
    // rounds are not timed, so the JIT has compiled the paths the timed rounds take.
    const hf = HyperFormula.buildFromArray(column, options);
    const warmRound = (i) => {
        hf.setCellContents({ sheet: 0, col: 0, row: 0 }, w.warm[i % 2].map((v) => [v]));
        return numericSum(hf, numericRows);
    };
    for (let i = 0; i < 200; ++i) warmRound(i);
    reps = 400;
    t0 = now();
    for (let i = 0; i < reps; ++i) checksum = warmRound(i);
    report('W1/warm', (now() - t0) / reps, { checksum });
    hf.destroy();
}

function w2(dir) {
    const rows = JSON.parse(fs.readFileSync(path.join(dir, 'w2.json'), 'utf8'));
    const sumD = (hf) => {
        let s = 0;
        for (let r = 0; r < 1000; ++r) s += hf.getCellValue({ sheet: 0, col: 3, row: r });
        return s;
    };
    HyperFormula.buildFromArray(rows, options).destroy();  // untimed, as a warm-up
    let t0 = now();
    const hf = HyperFormula.buildFromArray(rows, options);
    report('W2/build+calc', now() - t0, { checksum: sumD(hf) });

    // Both recalculations: untimed rounds first, then the timed ones. HyperFormula recalculates
    // eagerly inside setCellContents; the timed part also reads the cells the change made stale, as
    // ours does, so both engines do the same work whichever way they schedule it.
    const reps = 3;
    let total = 0, checksum = 0;
    for (let i = -2; i < reps; ++i) {
        t0 = now();
        hf.setCellContents({ sheet: 0, col: 0, row: 0 }, [[i % 2 ? 40 : 60]]);
        checksum = sumD(hf) + hf.getCellValue({ sheet: 0, col: 2, row: rows.length - 1 });
        if (i >= 0) total += now() - t0;
    }
    report('W2/root-recalc', total / reps, { checksum });

    const last = rows.length - 1;
    const lastReps = 100;
    total = 0;
    for (let i = -20; i < lastReps; ++i) {
        t0 = now();
        hf.setCellContents({ sheet: 0, col: 0, row: last }, [[i % 2 ? 40 : 60]]);
        checksum = hf.getCellValue({ sheet: 0, col: 1, row: last }) + hf.getCellValue({ sheet: 0, col: 2, row: last });
        if (i >= 0) total += now() - t0;
    }
    report('W2/last-recalc', total / lastReps, { checksum });
    hf.destroy();
}

function w3(dir) {
    const t0 = now();
    const text = fs.readFileSync(path.join(dir, 'w3.csv'), 'utf8');
    const rows = [];
    for (const line of text.split('\n')) {
        if (!line) continue;
        rows.push(line.split(',').map((f) => (f !== '' && !isNaN(f) ? Number(f) : f)));
    }
    let hf = HyperFormula.buildFromArray(rows, options);
    const loaded = now();
    // HyperFormula has no file format of its own; its serialised sheets as JSON stand in for one.
    const file = path.join(dir, 'w3.peer.json');
    fs.writeFileSync(file, JSON.stringify(hf.getAllSheetsSerialized()));
    hf.destroy();
    const saved = now();
    const back = JSON.parse(fs.readFileSync(file, 'utf8'));
    hf = HyperFormula.buildFromSheets(back, options);
    const reloaded = now();
    const peakMB = process.resourceUsage().maxRSS / 1024;
    report('W3/csv-load', loaded - t0);
    report('W3/native-save', saved - loaded);
    report('W3/native-load', reloaded - saved);
    report('W3/total', reloaded - t0, { peakMB, cells: hf.getSheetDimensions(0).height * 10 });
    fs.unlinkSync(file);
}

const [dir, ...which] = process.argv.slice(2);
if (!dir) {
    console.error('usage: node workloads.js DIR [w1|w2|w3]...');
    process.exit(2);
}
const runs = { w1, w2, w3 };
for (const name of which.length ? which : ['w1', 'w2', 'w3']) {
    if (!runs[name]) {
        console.error(`unknown workload ${name}`);
        process.exit(2);
    }
    runs[name](dir);
}
