// Debian's Chromium, driven by Playwright, with the page served from this
// machine: what the web tests and the speed benchmark share.

import { existsSync } from 'node:fs';
import { chromium } from 'playwright-core';
import { serve } from '../../web/serve.mjs';

export const SITE = process.env.QUELVARIS_SITE ?? new URL('../../build/web/site', import.meta.url).pathname;

// The program itself rather than /usr/bin/chromium, Debian's wrapper script.
export const CHROMIUM = ['/usr/lib/chromium/chromium', '/usr/bin/chromium'].find(existsSync);

// Without these, Chromium reaches for Google's services at every start, which
// this machine's closed network refuses.
export const QUIET_FLAGS = [
  '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
];

// A phone held upright: 360 x 740 CSS pixels at twice the density, touch.
export const PHONE = {
  viewport: { width: 360, height: 740 },
  deviceScaleFactor: 2,
  isMobile: true,
  hasTouch: true,
  locale: 'es-MX',
};

export function launch() {
  return chromium.launch({ executablePath: CHROMIUM, args: QUIET_FLAGS, headless: true });
}

// With a profile of its own, as a phone's browser has: one that can install.
export function launchPersistent(profile) {
  return chromium.launchPersistentContext(profile, {
    ...PHONE, executablePath: CHROMIUM, args: QUIET_FLAGS, headless: true,
  });
}

export function serveSite({ site = SITE, ...options } = {}) {
  return serve(site, { port: 0, ...options });
}
