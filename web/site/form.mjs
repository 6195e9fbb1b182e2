// The main form: "Calcular" copies the typed texts into the calculation and
// its texts back into the fields, as the desktop window does; "Borrar"
// empties the two boxes.

import {
  MATERIALS, TOO_LARGE, VOLUME, VOLUME_ONLY, commaHint, spoken,
} from './fields.mjs';

const byId = (id) => document.getElementById(id);

function selectedClass(form) {
  const checked = form.querySelector('input[name="class"]:checked');
  return checked ? Number(checked.value) : 0;
}

function showHint(box) {
  const hint = byId(`${box.id}-hint`);
  const text = commaHint(box.value);
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

export function wireForm(calculate) {
  const form = byId('Quelvaris');
  const area = byId('Text1');
  const height = byId('Text2');
  const alert = byId('alert');

  form.addEventListener('submit', (event) => {
    event.preventDefault();
    const results = calculate(area.value, height.value, selectedClass(form));
    if (results === null) {
      // Nothing is written: every field keeps its text.
      alert.textContent = TOO_LARGE;
      return;
    }
    alert.textContent = '';
    byId(VOLUME.id).value = results.volume;
    area.value = results.areaText;
    height.value = results.heightText;
    // Without a class the material fields keep their older results.
    if (results.materials) {
      for (const field of MATERIALS) byId(field.id).value = results.materials[field.text];
    }
    showHint(area);
    showHint(height);
    announce(results);
  });

  byId('Command2').addEventListener('click', () => {
    area.value = '';
    height.value = '';
    showHint(area);
    showHint(height);
    alert.textContent = '';
  });

  byId('Command1').disabled = false;
}
