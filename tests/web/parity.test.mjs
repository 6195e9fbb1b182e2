// One source of the digits: for 100,000 generated inputs, the calculation
// compiled to WebAssembly, as the page loads it, gives byte for byte the
// texts of the native one (calculate_lines), and the same reading of a
// height as centimetres.

import assert from 'node:assert/strict';
import { spawnSync } from 'node:child_process';
import { readFile, readdir } from 'node:fs/promises';
import { join } from 'node:path';
import { test } from 'node:test';

const SITE = process.env.QUELVARIS_SITE ?? new URL('../../build/web/site', import.meta.url).pathname;
const NATIVE = process.env.QUELVARIS_NATIVE_CALCULATION;
const COUNT = 100_000;
const MATERIALS = ['cementSacks', 'cementTonnes', 'sandBuckets', 'sandCubicMetres',
  'gravelBuckets', 'gravelCubicMetres', 'waterBuckets', 'waterLitres'];

// A small seeded generator (mulberry32): the same inputs every run.
function generator(seed) {
  let state = seed >>> 0;
  const next = () => {
    state = (state + 0x6d2b79f5) >>> 0;
    let t = state;
    t = Math.imul(t ^ (t >>> 15), t | 1);
    t ^= t + Math.imul(t ^ (t >>> 7), t | 61);
    return ((t ^ (t >>> 14)) >>> 0) / 2 ** 32;
  };
  const below = (n) => Math.floor(next() * n);
  const pick = (list) => list[below(list.length)];
  const digits = (n) => Array.from({ length: n }, () => below(10)).join('');
  return { below, pick, digits };
}

// What builders type, and what they paste by mistake.
function typedText({ below, pick, digits }) {
  const number = () => `${digits(1 + below(6))}${pick(['', '.', `.${digits(1 + below(4))}`])}`;
  const kinds = [
    number,
    () => `${digits(1 + below(3))}.${digits(below(3))}5`,                  // halves at the last digit
    () => pick(['1.005', '2.675', '0.125', '494.5', '0.045', '1.115', '.995', '999.995']),
    () => `${digits(1 + below(3))},${digits(1 + below(3))}`,                // a comma for the point
    () => `${digits(1)},${digits(3)},${digits(3)}.${digits(2)}`,           // thousands grouped
    () => `${number()}${pick(['e', 'E', 'd', 'D'])}${pick(['', '+', '-'])}${below(400)}`,
    () => `${pick(['1', '9.99', '1.7976931348623157', '2'])}e${pick(['30', '150', '307', '308', '309'])}`,
    () => `${digits(1)}e-${pick(['300', '310', '320', '330', '400'])}`,     // tiny and below
    () => `${'9'.repeat(300 + below(20))}`,                                  // past the range by digits
    () => `${pick([' ', '\t', '\n', '  '])}${number()}${pick(['', ' ', '\t'])}${digits(below(2))}`,
    () => `${number()}${pick(['abc', 'm2', ' m', 'x', 'ñ', '²', '½', 'cm'])}`,
    () => pick(['', ' ', 'abc', '.', '-', '+', 'e5', '&H10', ',5', '- 5', '1e+', 'inf', 'nan', '0x10']),
    () => `${pick(['-', '+', '--'])}${number()}`,
    () => `0.${'0'.repeat(below(20))}${digits(1 + below(3))}`,
  ];
  return pick(kinds)();
}

function inputs() {
  const random = generator(20261208);
  return Array.from({ length: COUNT }, () => [
    typedText(random), typedText(random), random.pick([0, 1, 2, 3, 4, 1, 2, 3, 4, 5, -1]),
  ]);
}

const hex = (text) => Buffer.from(text, 'utf8').toString('hex');

function wasmLine(results) {
  if (results === null) return 'too large';
  const texts = [results.volume, results.areaText, results.heightText];
  if (results.materials) texts.push(...MATERIALS.map((name) => results.materials[name]));
  return texts.map(hex).join('\t');
}

test('the WebAssembly calculation gives the native texts for 100,000 typed inputs', async () => {
  assert.ok(NATIVE, 'QUELVARIS_NATIVE_CALCULATION names the native program');
  // The site names its files by their content: quelvaris-calc.1a2b3c4d.mjs.
  const files = await readdir(SITE);
  const named = (extension) => join(SITE, files.find((file) => file.startsWith('quelvaris-calc.')
    && file.endsWith(extension)));
  const { default: createCalculation } = await import(named('.mjs'));
  // Node's fetch does not read files: the module gets its code handed over.
  const module = await createCalculation({ wasmBinary: await readFile(named('.wasm')) });

  const cases = inputs();
  const native = spawnSync(NATIVE, {
    input: cases.map(([area, height, selected]) => `${hex(area)}\t${hex(height)}\t${selected}\n`).join(''),
    maxBuffer: 1 << 30,
    encoding: 'utf8',
  });
  assert.equal(native.status, 0, native.stderr);
  const nativeLines = native.stdout.split('\n').slice(0, -1);
  assert.equal(nativeLines.length, COUNT);

  const differences = [];
  const kinds = new Set();
  cases.forEach(([area, height, selected], i) => {
    const texts = wasmLine(module.calculate(area, height, selected));
    kinds.add(texts === 'too large' ? 'too large' : texts.split('\t').length);
    const metres = module.centimetresAsMetres(height);
    if (metres !== null) kinds.add('centimetres');
    const stops = [area, height].map((text) => {
      const { read, rest, stop } = module.leadingNumber(text);
      kinds.add(stop);
      return `${stop}\t${hex(read)}\t${hex(rest)}`;
    });
    const line = `${stops.join('\t')}\t${hex(metres ?? '')}\t${texts}`;
    if (line !== nativeLines[i] && differences.length < 10) {
      differences.push({ area, height, selected, wasm: line, native: nativeLines[i] });
    }
  });
  assert.deepEqual(differences, []);
  // The inputs reach every way out: too large, no class, a class, a height
  // that looks like centimetres, and a number read to each of its stops.
  assert.deepEqual([...kinds].sort(),
    [11, 3, 'centimetres', 'comma', 'none', 'other', 'too large', 'whole']);
});
