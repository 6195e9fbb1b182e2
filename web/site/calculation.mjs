// The calculation, compiled from the desktop program's own source to
// WebAssembly (quelvaris-calc.mjs and .wasm, built by CMake's web preset).
// The page never computes a digit itself.

import createCalculation from './quelvaris-calc.mjs';

// Resolves to calculate(areaText, heightText, selectedClass), which gives
// {volume, areaText, heightText, materials} as texts, materials null with no
// class selected, or null when the numbers are past what can be shown.
export async function loadCalculation(options = {}) {
  const module = await createCalculation(options);
  return (areaText, heightText, selectedClass) =>
    module.calculate(areaText, heightText, selectedClass);
}
