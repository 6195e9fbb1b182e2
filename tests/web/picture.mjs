// Takes the README's picture of the web edition: the screen of a phone held
// upright after a calculation, as a builder sees it, scrolled as the page
// scrolls itself to show the results.
//   node tests/web/picture.mjs docs/web-telefono.png     (after scripts/web build)

import { PHONE, launch, serveSite } from './browser.mjs';

const output = process.argv[2] ?? 'build/web-telefono.png';
const browser = await launch();
const site = await serveSite();
try {
  const page = await browser.newPage(PHONE);
  await page.goto(site.url);
  await page.locator('#Command1:enabled').waitFor();
  await page.fill('#Text1', '25');
  await page.fill('#Text2', '0.12');
  await page.tap('#Label25');
  await page.tap('#Command1');
  await page.locator('#Label8:not(:empty)').waitFor();
  await page.evaluate(() => document.activeElement.blur());
  await page.screenshot({ path: output });
  console.log(output);
} finally {
  await browser.close();
  site.server.close();
}
