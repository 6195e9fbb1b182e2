// The page in the engines beside Chromium: each installs the page for use
// with no network, opens it again with the server gone, and there gives the
// desktop's texts for the worked jobs and opens and closes its dialogs, with
// no error on the page's console.

import assert from 'node:assert/strict';
import { test } from 'node:test';
import { serveSite } from './browser.mjs';
import { ENGINES } from './engines.mjs';
import { DIALOGS, FIELDS, WORKED, fieldTexts } from './worked.mjs';

const ready = () => !document.getElementById('Command1').disabled;
const isOpen = (id) => document.getElementById(id).open;

async function calculate(browser, area, height, selectedClass) {
  await browser.fill('Text1', area);
  await browser.fill('Text2', height);
  await browser.click(`Label${23 + selectedClass}`);
  await browser.click('Command1');
}

for (const [engine, open] of Object.entries(ENGINES)) {
  test(`${engine}: a visit with the server gone, the worked jobs and the dialogs`, async (t) => {
    const site = await serveSite();
    const browser = await open();
    t.after(async () => {
      await browser.close();
      site.server.close();
    });
    await browser.goto(site.url);
    await browser.waitUntil('"Calcular" ready', ready);
    // Offline first: WebKitGTK 2.50's page process at times ends when a page
    // its service worker serves is reloaded after WebDriver has typed on it.
    await browser.waitUntil('the service worker active', () => navigator.serviceWorker.getRegistration()
      .then((registration) => registration?.active?.state === 'activated'));
    site.server.close();
    site.server.closeAllConnections();
    await browser.reload();
    await browser.waitUntil('"Calcular" ready with the server gone', ready);
    assert.equal(await browser.run(() => navigator.serviceWorker.controller !== null), true);

    for (const [inputs, texts, said] of WORKED) {
      await calculate(browser, ...inputs);
      assert.deepEqual(await browser.run(fieldTexts, FIELDS),
        Object.fromEntries(FIELDS.map((id, i) => [id, texts[i]])), `${engine}: ${inputs}`);
      if (said) assert.equal(await browser.run(() => document.getElementById('spoken').textContent), said);
    }

    for (const [item, dialog, close] of DIALOGS) {
      for (const closing of ['Escape', close]) {
        await browser.click(item);
        assert.equal(await browser.run(isOpen, dialog), true, `${engine}: ${dialog} opened`);
        await (closing === 'Escape' ? browser.press('Escape') : browser.click(closing));
        await browser.waitUntil(`${dialog} closed by ${closing}`, (id) => !document.getElementById(id).open, dialog);
      }
    }

    if (browser.errors) assert.deepEqual(browser.errors(), [], `${engine}: errors on the page`);
    else t.diagnostic(`${engine} tells no errors on the page: they show only by what they break`);
  });
}
