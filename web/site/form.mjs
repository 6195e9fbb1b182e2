// The main form: "Calcular" copies the typed texts into the calculation and
// its texts back into the fields, as the desktop window does; "Borrar"
// empties the two boxes. Around that, what a phone needs: the results brought
// into view, a line saying what they are for, and a mark on them once the
// numbers typed are no longer theirs.

import {
  MATERIALS, STALE, TOO_LARGE, VOLUME, VOLUME_ONLY, VOLUME_ONLY_SHOWN, centimetresHint, commaHint,
  resultsFor, spoken,
} from './fields.mjs';

const byId = (id) => document.getElementById(id);

function selectedClass(form) {
  const checked = form.querySelector('input[name="class"]:checked');
  return checked ? Number(checked.value) : 0;
}

// The class as its caption names it, up to the run of spaces before its use:
// "f'c = 150 kg/cm2".
function className(form) {
  const checked = form.querySelector('input[name="class"]:checked');
  return checked ? checked.labels[0].textContent.trim().split(/\s{2,}/)[0] : null;
}

function showHint(box, text) {
  const hint = byId(`${box.id}-hint`);
  hint.textContent = text ?? '';
  hint.hidden = text === null;
}

// What a screen reader hears after "Calcular": the volume, and each quantity
// with its meaning, or that the volume alone was computed.
function announce(results) {
  const volume = spoken(VOLUME, results.volume);
  const said = results.materials
    ? [volume, ...MATERIALS.map((field) => spoken(field, results.materials[field.text]))]
    : [volume, VOLUME_ONLY];
  byId('spoken').textContent = said.join('. ');
}

// Scrolls the least that shows all of `elements` together, and not at all
// when they are shown already, as scrollIntoView's "nearest" does for one
// element: the results run from the volume, above the commands, to the end
// of the table. Where they are taller than the screen, their top shows.
function bringIntoView(...elements) {
  const boxes = elements.map((element) => element.getBoundingClientRect());
  const top = Math.min(...boxes.map((box) => box.top));
  const bottom = Math.max(...boxes.map((box) => box.bottom));
  const height = document.documentElement.clientHeight;
  if (top >= 0 && bottom <= height) return;
  // Whole pixels, rounded away from the edge: a fraction would be dropped.
  window.scrollBy({ top: bottom - top > height || top < 0 ? Math.floor(top) : Math.ceil(bottom - height) });
}

export function wireForm({ calculate, centimetresAsMetres, leadingNumber }) {
  const form = byId('Quelvaris');
  const area = byId('Text1');
  const height = byId('Text2');
  const alert = byId('alert');
  const results = byId('Frame3');

  // Once the numbers typed change, the results on screen are the earlier
  // numbers': they stay, as on the desktop, but say so, once to a screen
  // reader too.
  const stale = byId('stale');
  stale.textContent = STALE;
  byId('volumeOnly').textContent = VOLUME_ONLY_SHOWN;
  const markStale = () => {
    if (!form.dataset.results || form.dataset.results === 'stale') return;
    form.dataset.results = 'stale';
    stale.hidden = false;
    byId('spoken').textContent = STALE;
  };
  form.addEventListener('input', markStale);

  form.addEventListener('submit', (event) => {
    event.preventDefault();
    const typed = { area: area.value, height: height.value };
    const computed = calculate(typed.area, typed.height, selectedClass(form));
    if (computed === null) {
      // Nothing is written: every field keeps its text.
      alert.textContent = TOO_LARGE;
      markStale();
      bringIntoView(alert);
      return;
    }
    alert.textContent = '';
    byId(VOLUME.id).value = computed.volume;
    area.value = computed.areaText;
    height.value = computed.heightText;
    // Without a class the material fields keep their older results.
    if (computed.materials) {
      for (const field of MATERIALS) byId(field.id).value = computed.materials[field.text];
    }
    showHint(area, commaHint(leadingNumber(typed.area)));
    showHint(height, commaHint(leadingNumber(typed.height))
      ?? centimetresHint(centimetresAsMetres(typed.height)));
    byId('resultsFor').textContent = resultsFor(computed.areaText, computed.heightText, className(form));
    byId('volumeOnly').hidden = computed.materials !== null;
    // Without a class, the materials on screen are an earlier calculation's.
    form.dataset.results = computed.materials ? 'fresh' : 'volume';
    stale.hidden = true;
    announce(computed);
    bringIntoView(byId(VOLUME.id).parentElement, results);
  });

  byId('Command2').addEventListener('click', () => {
    area.value = '';
    height.value = '';
    showHint(area, null);
    showHint(height, null);
    alert.textContent = '';
    markStale();
  });

  byId('Command1').disabled = false;
}
