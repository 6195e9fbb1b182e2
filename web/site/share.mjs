// "Compartir": what to buy, as a short text a builder sends by message to
// the hardware store or the owner, through the phone's share sheet, or
// copied where the browser has none. The text is made from what the page
// shows, its numbers and its captions; nothing is sent anywhere else.

import { SHARE_COPIED, SHARE_TITLE } from './fields.mjs';

const text = (id) => document.getElementById(id).textContent.trim();

// One line for the element, one for the volume, one a material:
//   "Cemento: 21 sacos (1.1 Ton)"
function shoppingList() {
  const lines = [text('resultsFor'), `Volumen: ${text('Label33')} ${text('Label34')}`];
  for (const [name, sites, siteUnit, bulk, bulkUnit] of [
    ['Label4', 'Label8', 'Label12', 'Label16', 'Label20'],
    ['Label5', 'Label9', 'Label13', 'Label17', 'Label21'],
    ['Label6', 'Label10', 'Label14', 'Label18', 'Label22'],
    ['Label7', 'Label11', 'Label15', 'Label19', 'Label23'],
  ]) {
    // "sacos,    equivalentes a:" -> "sacos"
    const unit = text(siteUnit).split(',')[0];
    lines.push(`${text(name)}: ${text(sites)} ${unit} (${text(bulk)} ${text(bulkUnit)})`);
  }
  return lines.join('\n');
}

export function wireSharing() {
  const said = document.getElementById('shared');
  document.getElementById('Quelvaris').addEventListener('submit', () => { said.hidden = true; });
  document.getElementById('share').addEventListener('click', async () => {
    const list = shoppingList();
    said.hidden = true;
    if (navigator.share) {
      try {
        await navigator.share({ title: SHARE_TITLE, text: list });
        return;
      } catch (error) {
        if (error.name === 'AbortError') return;  // the user closed the sheet
      }
    }
    await navigator.clipboard.writeText(list);
    said.textContent = SHARE_COPIED;
    said.hidden = false;
  });
}
