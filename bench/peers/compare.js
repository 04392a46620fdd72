// Prints the comparison table of compare.sh from Google Benchmark's JSON (ours), our W3 lines and the
// peer's lines.
'use strict';
const fs = require('fs');
const [oursJson, oursW3, peerLines] = process.argv.slice(2);

const scale = { ns: 1e-9, us: 1e-6, ms: 1e-3, s: 1 };
const names = {
    W1_Cold: 'W1/cold', W1_Sequential: 'W1/sequential', W1_Warm: 'W1/warm',
    W2_BuildAndCalc: 'W2/build+calc', W2_RootRecalc: 'W2/root-recalc', W2_LastRecalc: 'W2/last-recalc',
};
const readLines = (file) => fs.readFileSync(file, 'utf8').split('\n').filter(Boolean).map((l) => JSON.parse(l));

const ours = {};
for (const b of JSON.parse(fs.readFileSync(oursJson, 'utf8')).benchmarks) {
    const name = names[b.name.split('/')[0]];
    if (name && b.run_type !== 'aggregate') ours[name] = { seconds: b.real_time * scale[b.time_unit] };
}
for (const r of readLines(oursW3)) ours[r.name] = r;
const peer = {};
for (const r of readLines(peerLines)) peer[r.name] = r;

const show = (s) => (s === undefined ? '-' : s < 1e-3 ? `${(s * 1e6).toFixed(1)} us` : s < 1 ? `${(s * 1e3).toFixed(2)} ms` : `${s.toFixed(3)} s`);
console.log(['workload', 'connsheet', 'HyperFormula', 'ratio'].map((h) => h.padEnd(16)).join(''));
for (const name of Object.keys(peer)) {
    const o = ours[name] ? ours[name].seconds : undefined;
    const t = peer[name].seconds;
    const ratio = o ? `${(t / o).toFixed(1)}x` : '-';
    console.log([name, show(o), show(t), ratio].map((c) => String(c).padEnd(16)).join(''));
}
const ow = ours['W3/total'] || {}, pw = peer['W3/total'] || {};
console.log(`W3 peak memory: connsheet ${ow.peakMB ? ow.peakMB.toFixed(0) : '-'} MB, HyperFormula ${pw.peakMB ? pw.peakMB.toFixed(0) : '-'} MB`);
