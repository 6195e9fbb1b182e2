// The two engines beside Chromium that builders' phones run: Firefox (here
// Debian's Firefox ESR, driven over WebDriver BiDi by puppeteer-core) and
// WebKit, the engine of every browser on an iPhone (here WebKitGTK, through
// its own WebDriver). Each is handed back behind the same few steps, so that
// one test holds both to the same jobs.

import { spawn } from 'node:child_process';
import { existsSync } from 'node:fs';
import { createServer } from 'node:net';
import puppeteer from 'puppeteer-core';

const FIREFOX = ['/usr/lib/firefox-esr/firefox-esr', '/usr/bin/firefox-esr'].find(existsSync);
const MINIBROWSER = ['webkit2gtk-4.1', 'webkitgtk-6.0'].map((api) => `/usr/lib/x86_64-linux-gnu/${api}/MiniBrowser`)
  .find(existsSync);
const PHONE_SIZE = { width: 360, height: 740 };

// A reload's answer can come before the new page replaces the old one, so
// the old page is marked first and the wait is for a page without the mark.
async function reloadWith(browser, reload) {
  await browser.run(() => { globalThis.leftBehind = true; });
  await reload();
  await browser.waitUntil('the page loaded again', () => !globalThis.leftBehind);
}

// Polls a page function until it answers truthy, or fails at the deadline.
async function waitUntil(run, what, fn, args, timeout = 10_000) {
  const deadline = Date.now() + timeout;
  for (;;) {
    const answer = await run(fn, ...args);
    if (answer) return answer;
    if (Date.now() > deadline) throw new Error(`${what}: not so after ${timeout / 1000} s`);
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

export async function openFirefox() {
  const browser = await puppeteer.launch({ browser: 'firefox', executablePath: FIREFOX, headless: true });
  const page = await browser.newPage();
  await page.setViewport(PHONE_SIZE);
  const errors = [];
  page.on('console', (message) => message.type() === 'error' && errors.push(message.text()));
  page.on('pageerror', (error) => errors.push(error.message));
  const run = (fn, ...args) => page.evaluate(fn, ...args);
  const firefox = {
    goto: (url) => page.goto(url),
    reload: () => reloadWith(firefox, () => page.reload()),
    run,
    waitUntil: (what, fn, ...args) => waitUntil(run, what, fn, args),
    click: (id) => page.click(`#${id}`),
    fill: async (id, text) => {
      await page.$eval(`#${id}`, (box) => { box.value = ''; });
      await page.type(`#${id}`, text);
    },
    press: (key) => page.keyboard.press(key),
    errors: () => errors,
    close: () => browser.close(),
  };
  return firefox;
}

// A display of WebKit's own: MiniBrowser, which its WebDriver starts, draws
// in a window even when nobody looks.
function privateDisplay() {
  const xvfb = spawn('Xvfb', ['-displayfd', '3', '-nolisten', 'tcp', '-noreset'],
    { stdio: ['ignore', 'ignore', 'inherit', 'pipe'] });
  return new Promise((resolve, reject) => {
    xvfb.once('error', reject);
    xvfb.once('exit', () => reject(new Error('Xvfb ended before it gave a display')));
    xvfb.stdio[3].once('data', (data) => resolve({ name: `:${String(data).trim()}`, close: () => xvfb.kill() }));
  });
}

function freePort() {
  return new Promise((resolve) => {
    const server = createServer().listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

const KEYS = { Escape: '\uE00C' };

// WebDriver's classic protocol is a handful of JSON requests over HTTP: made
// with fetch, rather than a client library whose releases need a newer Node
// than Debian 12's.
export async function openWebKit() {
  const display = await privateDisplay();
  const port = await freePort();
  const driver = spawn('WebKitWebDriver', [`--port=${port}`],
    { stdio: 'ignore', env: { ...process.env, DISPLAY: display.name } });
  const base = `http://127.0.0.1:${port}`;
  const request = async (method, path, body) => {
    const response = await fetch(base + path, {
      method, headers: { 'Content-Type': 'application/json' }, body: body && JSON.stringify(body),
    });
    const { value } = await response.json();
    if (!response.ok) throw new Error(`WebKit's WebDriver, ${method} ${path}: ${value.error}: ${value.message}`);
    return value;
  };
  const deadline = Date.now() + 10_000;
  while (!(await fetch(`${base}/status`).then((response) => response.ok, () => false))) {
    if (Date.now() > deadline) throw new Error('WebKitWebDriver did not answer in 10 s');
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
  const { sessionId } = await request('POST', '/session', {
    capabilities: { alwaysMatch: { 'webkitgtk:browserOptions': { binary: MINIBROWSER, args: ['--automation'] } } },
  });
  const session = (path) => `/session/${sessionId}${path}`;
  await request('POST', session('/window/rect'), PHONE_SIZE);
  const run = (fn, ...args) => request('POST', session('/execute/async'), {
    script: `const done = arguments[arguments.length - 1];
      Promise.resolve((${fn}).apply(null, Array.from(arguments).slice(0, -1))).then(done);`,
    args,
  });
  const settling = (fn, ...args) => run(fn, ...args).catch((error) => {
    if (error.message.endsWith('Could not parse script result')) return false;
    throw error;
  });
  const element = async (id) => Object.values(await request('POST', session('/element'),
    { using: 'css selector', value: `#${id}` }))[0];
  const webKit = {
    goto: (url) => request('POST', session('/url'), { url }),
    reload: () => reloadWith(webKit, () => request('POST', session('/refresh'), {})),
    run,
    // WebKit loses a script's answer ("Could not parse script result") when
    // the script meets a page still being set up after a navigation, whose
    // answer WebKit gives early: a wait takes that as "not yet".
    waitUntil: (what, fn, ...args) => waitUntil(settling, what, fn, args),
    click: async (id) => request('POST', session(`/element/${await element(id)}/click`), {}),
    fill: async (id, text) => {
      const box = await element(id);
      await request('POST', session(`/element/${box}/clear`), {});
      await request('POST', session(`/element/${box}/value`), { text });
    },
    press: (key) => request('POST', session('/actions'), {
      actions: [{
        type: 'key',
        id: 'keyboard',
        actions: [{ type: 'keyDown', value: KEYS[key] }, { type: 'keyUp', value: KEYS[key] }],
      }],
    }),
    // The classic protocol reports no console, and runs its scripts in a
    // world apart from the page's, where the page's errors are not heard
    // (nor are they with MiniBrowser's console-to-stdout setting, which its
    // automation windows do not take). In WebKit an error shows only by what
    // it breaks.
    errors: null,
    close: async () => {
      await request('DELETE', session('')).catch(() => {});
      driver.kill();
      display.close();
    },
  };
  return webKit;
}

export const ENGINES = { 'Firefox ESR': openFirefox, WebKitGTK: openWebKit };
