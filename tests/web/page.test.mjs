// The web edition as a builder meets it: Debian's Chromium at a phone's size,
// with touch, the page served from this machine.

import assert from 'node:assert/strict';
import { cp, mkdtemp, readFile, readdir, rm, writeFile } from 'node:fs/promises';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import { createRequire } from 'node:module';
import { after, before, test } from 'node:test';
import { PHONE, SITE, launch, launchPersistent, serveSite } from './browser.mjs';
import { DIALOGS, FIELDS, WORKED, fieldTexts as fieldTextsIn } from './worked.mjs';

const TOO_LARGE = 'Los números son demasiado grandes para calcular.\nNo se ha cambiado ningún dato.';
const STALE = 'Los resultados son de los datos anteriores: oprima "Calcular" para actualizarlos.';

let browser;
let site;
before(async () => {
  browser = await launch();
  site = await serveSite();
});
after(async () => {
  await browser?.close();
  site?.server.close();
});

async function openPage(options = {}) {
  const context = await browser.newContext({ ...PHONE, ...options });
  const page = await context.newPage();
  const requests = [];
  page.on('request', (request) => requests.push(request.url()));
  await page.goto(site.url);
  await page.locator('#Command1:enabled').waitFor({ timeout: 10_000 });
  return { context, page, requests };
}

const fieldTexts = (page) => page.evaluate(fieldTextsIn, FIELDS);

// Types the two texts, taps the class's caption (0: none), taps "Calcular".
async function calculate(page, area, height, selectedClass) {
  await page.fill('#Text1', area);
  await page.fill('#Text2', height);
  if (selectedClass) await page.tap(`#Label${23 + selectedClass}`);
  await page.tap('#Command1');
}

test('the worked examples give the desktop texts in all eleven fields, and are said', async () => {
  const { context, page } = await openPage();
  for (const [inputs, texts, said] of WORKED) {
    await calculate(page, ...inputs);
    assert.deepEqual(await fieldTexts(page), Object.fromEntries(FIELDS.map((id, i) => [id, texts[i]])));
    if (said) assert.equal(await page.textContent('#spoken'), said);
  }
  await context.close();
});

test('"Borrar" empties the two boxes and the alert, and leaves the results', async () => {
  const { context, page } = await openPage();
  await calculate(page, '25', '0.12', 2);
  const before = await fieldTexts(page);
  await calculate(page, '1e400', '1', 2);
  await page.tap('#Command2');
  assert.deepEqual(await fieldTexts(page), { ...before, Text1: '', Text2: '' });
  assert.equal(await page.isVisible('#alert'), false);
  await context.close();
});

test('results name what they are for, and are marked once the numbers typed change', async () => {
  const { context, page } = await openPage();
  const state = () => page.evaluate(() => ({
    for: document.getElementById('resultsFor').textContent,
    stale: document.getElementById('stale').checkVisibility(),
    struck: getComputedStyle(document.getElementById('Label8')).textDecorationLine,
    spoken: document.getElementById('spoken').textContent,
  }));
  const fresh = { for: "Para 25.00 m2 x 0.12 m, f'c = 150 kg/cm2", stale: false, struck: 'none' };
  const stale = { for: fresh.for, stale: true, struck: 'line-through', spoken: STALE };
  const changes = [
    ['a box', () => page.fill('#Text2', '0.15')],
    ['the class', () => page.tap('#Label26')],
    ['"Borrar"', () => page.tap('#Command2')],
    ['a refused calculation', () => calculate(page, '1e400', '1', 2)],
  ];
  for (const [what, change] of changes) {
    await calculate(page, '25', '0.12', 2);
    const { spoken, ...shown } = await state();
    assert.deepEqual(shown, fresh, what);
    assert.match(spoken, /^Volumen: 3.00/);
    await change();
    assert.deepEqual(await state(), stale, what);
    // Heard once: a second change says nothing new.
    await page.evaluate(() => { document.getElementById('spoken').textContent = ''; });
    await page.fill('#Text1', '26');
    assert.equal((await state()).spoken, '', what);
  }
  await context.close();
});

test('after "Calcular" the volume and the results are in view, and the keyboard stays', async () => {
  for (const viewport of [{ width: 320, height: 640 }, { width: 360, height: 740 },
    { width: 740, height: 360 }]) {
    const { context, page } = await openPage({ viewport });
    const inView = (id) => page.evaluate((element) => {
      const box = document.getElementById(element).getBoundingClientRect();
      return box.top >= 0 && box.bottom <= document.documentElement.clientHeight;
    }, id);
    await calculate(page, '25', '0.12', 2);
    const size = `${viewport.width}x${viewport.height}`;
    for (const id of ['Label33', 'Label4', 'Label7', 'Label19']) assert.ok(await inView(id), `${id} at ${size}`);
    // Shown already: a second calculation does not move the page.
    const scrolled = await page.evaluate(() => window.scrollY);
    await page.focus('#Text1');
    await page.keyboard.press('Enter');
    assert.equal(await page.evaluate(() => window.scrollY), scrolled, size);
    assert.equal(await page.evaluate(() => document.activeElement.id), 'Text1', size);
    await page.evaluate(() => window.scrollTo(0, 0));
    await calculate(page, '1e400', '1', 2);
    assert.ok(await inView('alert'), `the alert at ${size}`);
    await context.close();
  }
});

test('with no class, the volume alone is computed and the materials keep their texts', async () => {
  const { context, page } = await openPage();
  await calculate(page, '12abc', '0.1', 0);
  assert.deepEqual(await fieldTexts(page), {
    ...Object.fromEntries(FIELDS.map((id) => [id, ''])), Label33: '1.20', Text1: '12abc', Text2: '0.10',
  });
  assert.equal(await page.textContent('#spoken'),
    'Volumen: 1.20 metros cúbicos. Solo se calculó el volumen: no se eligió el tipo de concreto.');
  assert.match(await page.locator('#volumeOnly').innerText(), /^Solo se calculó el volumen.*materiales\.$/);
  // Texts written by an earlier class stay as they were.
  await calculate(page, '25', '0.12', 2);
  assert.equal(await page.isVisible('#volumeOnly'), false);
  const before = await fieldTexts(page);
  await page.evaluate(() => { document.querySelector('input[name="class"]:checked').checked = false; });
  await calculate(page, '1', '1', 0);
  assert.deepEqual(await fieldTexts(page), { ...before, Label33: '1.00', Text1: '1.00', Text2: '1.00' });
  await context.close();
});

test('a number that stops at a comma is read up to it, and a hint beside the box says so', async () => {
  const { context, page } = await openPage();
  await calculate(page, '12,5', '0.10', 1);
  assert.deepEqual((await fieldTexts(page)).Label33, '1.20');
  assert.equal(await page.inputValue('#Text1'), '12,5');
  assert.equal(await page.isVisible('#Text1-hint'), true);
  assert.match(await page.textContent('#Text1-hint'), /coma.*"\.".*12\.5/);
  assert.equal(await page.isVisible('#Text2-hint'), false);
  assert.equal(await page.getAttribute('#Text1', 'aria-describedby'), 'Text1-hint');
  await calculate(page, '12.5', '0.10', 1);
  assert.equal(await page.isVisible('#Text1-hint'), false);
  await context.close();
});

test('"Compartir" hands the list to the share sheet, or copies it where there is none', async () => {
  const list = ["Para 25.00 m2 x 0.12 m, f'c = 150 kg/cm2", 'Volumen: 3.00 m3',
    'Cemento: 21 sacos (1.1 Ton)', 'Arena: 80 botes (1.4 m3)', 'Grava 3/4": 112 botes (2.0 m3)',
    'Agua: 38 botes (690 litros)'].join('\n');
  const sheets = [
    ['a share sheet', () => { navigator.share = async (data) => { window.sharedText = data.text; }; },
      (page) => page.evaluate(() => window.sharedText)],
    ['no share sheet', () => { Object.defineProperty(Navigator.prototype, 'share', { value: undefined }); },
      (page) => page.evaluate(() => navigator.clipboard.readText())],
  ];
  for (const [what, browserShares, received] of sheets) {
    const context = await browser.newContext({ ...PHONE, permissions: ['clipboard-read', 'clipboard-write'] });
    await context.addInitScript(browserShares);
    const page = await context.newPage();
    await page.goto(site.url);
    await page.locator('#Command1:enabled').waitFor({ timeout: 10_000 });
    await calculate(page, '25', '0.12', 0);
    assert.equal(await page.isVisible('#share'), false, `${what}: no class`);
    await calculate(page, '25', '0.12', 2);
    await page.tap('#share');
    await page.waitForFunction(() => window.sharedText || document.getElementById('shared').checkVisibility());
    assert.equal(await received(page), list, what);
    await page.fill('#Text1', '30');
    assert.equal(await page.isVisible('#share'), false, `${what}: earlier results`);
    await context.close();
  }
});

test('a height typed as whole centimetres gets a hint, and is still used as typed', async () => {
  const { context, page } = await openPage();
  for (const [height, volume, hint] of [['12', '300.00', '0.12'], ['30', '750.00', '0.30'],
    ['3', '75.00', null], ['0.12', '3.00', null], ['12.0', '300.00', null]]) {
    await calculate(page, '25', height, 2);
    assert.equal((await fieldTexts(page)).Label33, volume, height);
    assert.equal(await page.isVisible('#Text2-hint'), hint !== null, height);
    if (hint) assert.match(await page.textContent('#Text2-hint'), new RegExp(`centímetros.*metros.* ${hint}$`));
  }
  await context.close();
});

test('numbers past the double range raise an alert and change no field', async () => {
  const { context, page } = await openPage();
  await calculate(page, '25', '0.12', 2);
  await page.fill('#Text1', '1e200');
  await page.fill('#Text2', '1e200');
  const before = await fieldTexts(page);
  await page.tap('#Command1');
  assert.equal(await page.textContent('[role="alert"]'), TOO_LARGE);
  assert.deepEqual(await fieldTexts(page), before);
  // The next calculation that can be shown clears the alert.
  await calculate(page, '1', '1', 2);
  assert.equal(await page.textContent('[role="alert"]'), '');
  await context.close();
});

test('a pasted text of 1 MB is calculated, or refused, without harm to the page', async () => {
  const { context, page } = await openPage();
  const errors = [];
  page.on('pageerror', (error) => errors.push(error.message));
  await calculate(page, `0.${'0'.repeat(1 << 20)}5`, '3', 3);
  assert.equal((await fieldTexts(page)).Label33, '0.00');
  await calculate(page, '9'.repeat(1 << 20), '3', 3);
  assert.equal(await page.textContent('[role="alert"]'), TOO_LARGE);
  await calculate(page, '25', '0.12', 2);
  assert.equal((await fieldTexts(page)).Label8, '21');
  assert.deepEqual(errors, []);
  await context.close();
});

test('after one visit it opens and calculates with the server gone and the network off', async () => {
  const own = await serveSite();
  const context = await browser.newContext(PHONE);
  const page = await context.newPage();
  await page.goto(own.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  own.server.close();
  own.server.closeAllConnections();
  await context.setOffline(true);
  await page.reload();
  await page.locator('#Command1:enabled').waitFor({ timeout: 10_000 });
  await calculate(page, '25', '0.12', 2);
  assert.equal((await fieldTexts(page)).Label8, '21');
  await context.close();
});

// A copy of the site that a test may change as a host's upload would, served
// on its own; ended with the test.
async function ownSite(t) {
  const folder = await mkdtemp(join(tmpdir(), 'quelvaris-site-'));
  await cp(SITE, folder, { recursive: true });
  const served = await serveSite({ site: folder });
  const paths = [];
  served.server.on('request', (request) => paths.push(request.url));
  t.after(async () => {
    served.server.close();
    served.server.closeAllConnections();
    await rm(folder, { recursive: true, force: true });
  });
  const change = async (pattern, edit) => {
    const file = (await readdir(folder)).find((name) => pattern.test(name));
    await writeFile(join(folder, file), edit(await readFile(join(folder, file), 'utf8')));
  };
  return { url: served.url, paths, change };
}

test('a first visit fetches each file once, the service worker included', async (t) => {
  const own = await ownSite(t);
  const context = await browser.newContext(PHONE);
  const page = await context.newPage();
  await page.goto(own.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  const twice = own.paths.filter((path, i) => own.paths.indexOf(path) !== i);
  assert.deepEqual(twice, []);
  assert.ok(own.paths.some((path) => /quelvaris-calc\.\w+\.wasm$/.test(path)), own.paths.join(' '));
  await context.close();
});

test('a file that is not the release\'s, as in a half-finished upload, is never kept', async (t) => {
  const own = await ownSite(t);
  await own.change(/^quelvaris\.\w+\.css$/, (css) => `${css}\nbody { color: red; }\n`);
  const context = await browser.newContext(PHONE);
  const page = await context.newPage();
  await page.goto(own.url);
  // The page registers its worker too: this one is the same, wherever its
  // install has got to.
  assert.equal(await page.evaluate(async () => {
    const registration = await navigator.serviceWorker.register('sw.js');
    const worker = registration.installing ?? registration.waiting ?? registration.active;
    const settled = ['installed', 'activated', 'redundant'];
    if (!worker || settled.includes(worker.state)) return worker?.state ?? 'redundant';
    return new Promise((resolve) => worker.addEventListener('statechange', () => {
      if (settled.includes(worker.state)) resolve(worker.state);
    }));
  }), 'redundant');
  assert.deepEqual(await page.evaluate(() => caches.keys()), []);
  await context.close();
});

test('a new release waits for "Actualizar", then replaces only the page\'s own caches', async (t) => {
  const own = await ownSite(t);
  const context = await browser.newContext(PHONE);
  const page = await context.newPage();
  await page.goto(own.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  await page.reload();  // now the page's worker answers it
  await page.evaluate(() => caches.open('another-site'));
  await own.change(/^sw\.js$/, (worker) => worker.replace(/'quelvaris-([^']+)'/, "'quelvaris-$1-next'"));
  await page.fill('#Text1', '25');
  await page.evaluate(async () => {
    window.typedBeforeTheUpdate = true;
    await (await navigator.serviceWorker.getRegistration()).update();
  });
  await page.locator('#update:visible').waitFor({ timeout: 10_000 });
  assert.equal(await page.evaluate(() => window.typedBeforeTheUpdate), true);
  assert.equal(await page.inputValue('#Text1'), '25');
  await page.tap('#updateNow');
  await page.waitForFunction(() => window.typedBeforeTheUpdate === undefined, null, { timeout: 10_000 });
  await page.locator('#Command1:enabled').waitFor({ timeout: 10_000 });
  const names = await page.evaluate(() => caches.keys());
  assert.deepEqual(names.sort(), ['another-site', names.find((name) => name.endsWith('-next'))]);
  assert.equal(await page.isVisible('#update'), false);
  await context.close();
});

test('it is installable: a valid manifest with its icons, and a service worker', async () => {
  // A browser's own profile: an incognito one cannot install a web app.
  const profile = await mkdtemp(join(tmpdir(), 'quelvaris-profile-'));
  const context = await launchPersistent(profile);
  const page = context.pages()[0] ?? await context.newPage();
  const requests = [];
  page.on('request', (request) => requests.push(request.url()));
  await page.goto(site.url);
  await page.evaluate(() => navigator.serviceWorker.ready);
  const cdp = await context.newCDPSession(page);
  const { errors } = await cdp.send('Page.getAppManifest');
  assert.deepEqual(errors, []);
  const { installabilityErrors } = await cdp.send('Page.getInstallabilityErrors');
  assert.deepEqual(installabilityErrors, []);
  const manifest = await page.evaluate(() => fetch('manifest.webmanifest').then((r) => r.json()));
  assert.equal(manifest.lang, 'es');
  assert.equal(manifest.display, 'standalone');
  const icons = await page.evaluate((list) => Promise.all(list.map(async ({ src, sizes, purpose }) => {
    const image = new Image();
    image.src = src;
    await image.decode();
    return `${image.naturalWidth}x${image.naturalHeight} ${sizes} ${purpose}`;
  })), manifest.icons);
  assert.deepEqual(icons, ['192x192 192x192 any', '512x512 512x512 any', '512x512 512x512 maskable']);
  // Nothing leaves the phone, and nothing is kept but the release's cache.
  assert.deepEqual(requests.filter((url) => !url.startsWith(site.url)), []);
  assert.deepEqual(await context.cookies(), []);
  assert.deepEqual(await page.evaluate(async () => [
    localStorage.length, sessionStorage.length, (await indexedDB.databases()).length,
    (await caches.keys()).every((name) => name.startsWith('quelvaris-'))]), [0, 0, 0, true]);
  await context.close();
  await rm(profile, { recursive: true, force: true });
});

// The assembly writes the page's words from the windows' forms: a text it
// left out, or one written by hand that differs, fails here.
test('the page holds the desktop windows\' words under their names', async () => {
  const { context, page } = await openPage();
  const windows = [['main_window.ui', ''], ['help_window.ui', 'Form2-'], ['about_window.ui', 'Form3-']];
  for (const [file, prefix] of windows) {
    const ui = await readFile(new URL(`../../ui/forms/${file}`, import.meta.url), 'utf8');
    const differences = await page.evaluate(([xml, idPrefix]) => {
      const form = new DOMParser().parseFromString(xml, 'application/xml');
      const found = [];
      for (const widget of form.querySelectorAll('widget')) {
        const text = widget.querySelector(':scope > property:is([name="text"], [name="title"]) > string');
        const name = widget.getAttribute('name');
        // The class buttons' own captions stand beside them. A page is left
        // with the phone's keys: no "Salir", and so no "Archivo" menu.
        if (!text || /^Option\d$|^Command3$|^mnufile$/.test(name)) continue;
        const element = document.getElementById(idPrefix + name);
        const shown = element?.matches('fieldset') ? element.querySelector('legend').textContent
          : element?.matches('main') ? document.getElementById('Frame1-title').textContent
            : element?.matches('section') ? element.querySelector('h3').textContent
              : element?.matches('nav') ? element.getAttribute('aria-label')
                : element?.textContent;
        if (shown !== text.textContent) found.push([idPrefix + name, text.textContent, shown]);
      }
      return found;
    }, [ui, prefix]);
    assert.deepEqual(differences, [], file);
  }
  await context.close();
});

// The phone's text size, as its settings set it (Chromium's font size).
async function setTextSize(context, page, pixels) {
  const cdp = await context.newCDPSession(page);
  await cdp.send('Page.setFontSizes', { fontSizes: { standard: pixels, fixed: pixels } });
}

test('axe-core finds no violation, light and dark, at 100% and 200% text, in each dialog', async () => {
  const axe = await readFile(createRequire(import.meta.url).resolve('axe-core/axe.min.js'), 'utf8');
  for (const colorScheme of ['light', 'dark']) {
    for (const textSize of [16, 32]) {
      const what = `${colorScheme}, ${textSize} px`;
      const { context, page } = await openPage({ bypassCSP: true, colorScheme });
      await setTextSize(context, page, textSize);
      await page.evaluate(axe);
      const violations = () => page.evaluate(async () => (await globalThis.axe.run()).violations
        .map((v) => `${v.id}: ${v.nodes.map((n) => n.target).join(' ')}`));
      assert.deepEqual(await violations(), [], what);
      await calculate(page, '12,5', '0.12', 2);
      await page.fill('#Text2', '12');  // the earlier results, marked
      assert.deepEqual(await violations(), [], what);
      for (const [item, dialog, close] of DIALOGS) {
        await page.tap(`#${item}`);
        assert.equal(await page.isVisible(`#${dialog}`), true);
        assert.deepEqual(await violations(), [], `${dialog}, ${what}`);
        await page.tap(`#${close}`);
        assert.equal(await page.isVisible(`#${dialog}`), false);
      }
      await context.close();
    }
  }
});

test('at 200% text and at 320 px nothing scrolls sideways, and every control is in reach', async () => {
  for (const [width, textSize] of [[360, 32], [320, 32], [320, 16]]) {
    const what = `${width} px, text ${textSize} px`;
    const { context, page } = await openPage({ viewport: { width, height: 740 } });
    await setTextSize(context, page, textSize);
    await calculate(page, '12,5', '12', 2);
    // Every box, button, caption and result lies within the screen's width.
    const outside = () => page.evaluate(() => {
      const width = document.documentElement.clientWidth;
      const wide = document.documentElement.scrollWidth > width ? ['the page'] : [];
      return wide.concat([...document.querySelectorAll('input, button, output, label, th, td, h1, h2, h3, p')]
        .filter((element) => element.checkVisibility())
        .filter((element) => {
          const box = element.getBoundingClientRect();
          return box.left < 0 || box.right > width + 0.5;
        }).map((element) => element.id || element.textContent.slice(0, 20)));
    });
    assert.deepEqual(await outside(), [], what);
    const touch = await page.evaluate(() => [...document.querySelectorAll('button, input[type="text"]')]
      .filter((element) => element.checkVisibility() && element.getBoundingClientRect().height < 44)
      .map((element) => element.id));
    assert.deepEqual(touch, [], what);
    for (const [item, dialog, close] of DIALOGS) {
      await page.tap(`#${item}`);
      assert.deepEqual(await outside(), [], `${dialog}, ${what}`);
      await page.locator(`#${close}`).scrollIntoViewIfNeeded();
      await page.tap(`#${close}`);
      assert.equal(await page.isVisible(`#${dialog}`), false, what);
    }
    await context.close();
  }
});

test('the page\'s own policy refuses inline script, from a host that sends none', async (t) => {
  const plain = await serveSite({ hostPolicy: false });
  t.after(() => plain.server.close());
  const context = await browser.newContext(PHONE);
  const page = await context.newPage();
  await page.goto(plain.url);
  assert.equal(await page.evaluate(() => {
    const script = document.createElement('script');
    script.textContent = 'window.inlineScriptRan = true';
    document.head.append(script);  // an allowed inline script would have run by now
    return window.inlineScriptRan === true;
  }), false);
  await context.close();
});

test('a calculation that cannot load is said in view, with what to do', async () => {
  for (const [what, answer] of [['missing', { status: 404, body: '' }],
    ['damaged', { status: 200, contentType: 'application/wasm', body: 'not WebAssembly' }]]) {
    const context = await browser.newContext(PHONE);
    await context.route('**/quelvaris-calc.*.wasm', (route) => route.fulfill(answer));
    const page = await context.newPage();
    await page.goto(site.url);
    await page.locator('#alert:has-text("No se pudo cargar la calculadora")').waitFor({ timeout: 10_000 });
    assert.equal(await page.isVisible('#alert'), true, what);
    assert.equal(await page.isDisabled('#Command1'), true, what);
    await context.close();
  }
});
