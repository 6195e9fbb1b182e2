// The page's start: the menu's two windows, the calculation, the offline
// copy and its updates. The form waits for the calculation: "Calcular" stays disabled until
// the WebAssembly module is ready, and if it cannot load, the page says so.

import { loadCalculation } from './calculation.mjs';
import { LOAD_FAILED } from './fields.mjs';
import { wireForm } from './form.mjs';
import { wireSharing } from './share.mjs';
import { offerUpdates } from './updates.mjs';

for (const [item, dialog] of [['mnuhelpconcrete', 'Form2'], ['mnuabout', 'Form3']]) {
  document.getElementById(item).addEventListener('click', () => {
    document.getElementById(dialog).showModal();
  });
}

try {
  wireForm(await loadCalculation());
  wireSharing();
} catch (error) {
  document.getElementById('alert').textContent = LOAD_FAILED;
  console.warn(error);
}

// The service worker keeps every file of this release for use with no
// network, and brings the next one. Browsers allow one on localhost or over
// HTTPS only.
if ('serviceWorker' in navigator) {
  navigator.serviceWorker.register('sw.js').then(offerUpdates).catch(() => {});
}
