// The calculation, compiled from the desktop program's own source to
// WebAssembly (quelvaris-calc.mjs and .wasm, built by CMake's web preset).
// The page never computes a digit itself, nor reads a number on its own.

// Resolves to the calculation's three functions:
//   calculate(areaText, heightText, selectedClass) gives {volume, areaText,
//   heightText, materials} as texts, materials null with no class selected,
//   or null when the numbers are past what can be shown;
//   centimetresAsMetres(heightText) gives the height in metres where it looks
//   typed in centimetres ("12" -> "0.12"), or null;
//   leadingNumber(text) gives where the number read from a text stops, and
//   why: {read, rest, stop}, stop "whole", "comma", "other" or "none".
// Rejects when the module or its code cannot be loaded. The module is
// imported here, not at the top, so that a missing one is a rejection the
// page can report rather than a page whose scripts never ran.
export async function loadCalculation(options = {}) {
  const { default: createCalculation } = await import('./quelvaris-calc.mjs');
  const module = await createCalculation(options);
  return {
    calculate: (areaText, heightText, selectedClass) =>
      module.calculate(areaText, heightText, selectedClass),
    centimetresAsMetres: (heightText) => module.centimetresAsMetres(heightText),
    leadingNumber: (text) => module.leadingNumber(text),
  };
}
