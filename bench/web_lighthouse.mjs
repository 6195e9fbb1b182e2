// The web edition's speed and weight on a phone, as Lighthouse measures them
// with its phone profile (simulated slow 4G, a CPU four times slower), in
// Debian's Chromium: the four scores, the first contentful paint, the bytes
// of the first visit (Lighthouse's, the page's alone, and the host's, the
// service worker's included), and the time of one calculation in the page. A
// benchmark: it prints what it measures and fails nothing.
//   node bench/web_lighthouse.mjs [SITE]      (after scripts/web build and npm ci)

import lighthouse from 'lighthouse';
import { chromium } from 'playwright-core';
import { CHROMIUM, PHONE, QUIET_FLAGS, serveSite } from '../tests/web/browser.mjs';

const site = await serveSite(process.argv[2] ? { site: process.argv[2] } : {});
const port = 9200 + Math.floor(Math.random() * 500);
const browser = await chromium.launch({
  executablePath: CHROMIUM, headless: true, args: [...QUIET_FLAGS, `--remote-debugging-port=${port}`],
});
try {
  const { lhr } = await lighthouse(site.url, { port, output: 'json', logLevel: 'error' });
  const score = (name) => Math.round(lhr.categories[name].score * 100);
  const audit = (name) => lhr.audits[name];
  console.log(`Lighthouse ${lhr.lighthouseVersion}, ${lhr.configSettings.formFactor} profile, `
    + `${lhr.configSettings.throttlingMethod} throttling, CPU x${lhr.configSettings.throttling.cpuSlowdownMultiplier}`);
  console.log(`performance ${score('performance')}, accessibility ${score('accessibility')}, `
    + `best practices ${score('best-practices')}, SEO ${score('seo')}`);
  console.log(`first contentful paint ${audit('first-contentful-paint').displayValue}, `
    + `largest contentful paint ${audit('largest-contentful-paint').displayValue}, `
    + `total blocking time ${audit('total-blocking-time').displayValue}, `
    + `time to interactive ${audit('interactive').displayValue}`);
  console.log(`first visit ${(audit('total-byte-weight').numericValue / 1024).toFixed(1)} KiB`);
  for (const [name, result] of Object.entries(lhr.audits)) {
    if (result.score !== null && result.score < 1 && result.scoreDisplayMode === 'binary') {
      console.log(`  not met: ${name}: ${result.title}`);
    }
  }

  // The whole first visit as the host sends it (gzip where the browser takes
  // it): the page's files and what its service worker fetches to keep.
  let served = 0;
  const count = (request, response) => {
    const end = response.end.bind(response);
    response.end = (body, ...rest) => {
      served += body?.length ?? 0;
      return end(body, ...rest);
    };
  };
  site.server.on('request', count);
  const visit = await browser.newContext(PHONE);
  const visitor = await visit.newPage();
  await visitor.goto(site.url);
  await visitor.evaluate(() => navigator.serviceWorker.ready);
  site.server.off('request', count);
  await visit.close();
  console.log(`first visit with the service worker's downloads: ${(served / 1000).toFixed(1)} kB `
    + `(${(served / 1024).toFixed(1)} KiB)`);

  // "Calcular" usable after a first visit on a slow phone (1.6 Mbit/s down,
  // 150 ms, a CPU four times slower), from the start of the navigation.
  const slow = await browser.newContext(PHONE);
  const slowPage = await slow.newPage();
  const cdp = await slow.newCDPSession(slowPage);
  await cdp.send('Network.enable');
  await cdp.send('Network.emulateNetworkConditions', {
    offline: false, latency: 150, downloadThroughput: 1.6e6 / 8, uploadThroughput: 750e3 / 8,
  });
  await cdp.send('Emulation.setCPUThrottlingRate', { rate: 4 });
  await slowPage.goto(site.url);
  await slowPage.locator('#Command1:enabled').waitFor({ timeout: 60_000 });
  const usable = await slowPage.evaluate(() => performance.now());
  console.log(`"Calcular" usable on the slow profile: ${(usable / 1000).toFixed(2)} s`);
  await slow.close();

  // One calculation through the page, timed inside it, the median of many.
  const context = await browser.newContext(PHONE);
  const page = await context.newPage();
  await page.goto(site.url);
  await page.locator('#Command1:enabled').waitFor();
  const micros = await page.evaluate(() => {
    document.getElementById('Text1').value = '25';
    document.getElementById('Text2').value = '0.12';
    document.getElementById('Option2').checked = true;
    const form = document.getElementById('Quelvaris');
    const times = [];
    for (let i = 0; i < 2000; ++i) {
      const start = performance.now();
      form.requestSubmit();
      times.push(performance.now() - start);
    }
    times.sort((a, b) => a - b);
    return times[times.length >> 1] * 1000;
  });
  console.log(`one calculation in the page (Calcular to every field written): ${micros.toFixed(0)} µs median`);
} finally {
  await browser.close();
  site.server.close();
}

