// The page's start: the menu's two windows, the calculation and the offline
// copy. The form waits for the calculation: "Calcular" stays disabled until
// the WebAssembly module is ready.

import { loadCalculation } from './calculation.mjs';
import { wireForm } from './form.mjs';

for (const [item, dialog] of [['mnuhelpconcrete', 'Form2'], ['mnuabout', 'Form3']]) {
  document.getElementById(item).addEventListener('click', () => {
    document.getElementById(dialog).showModal();
  });
}

wireForm(await loadCalculation());

// The service worker keeps every file of this release for use with no
// network. Browsers allow one on localhost or over HTTPS only.
if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').catch(() => {});
}
