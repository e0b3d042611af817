// Clicks, in Debian's Firefox ESR driven over WebDriver BiDi, at the points a page of
// the tests lists, and prints where each click went: "ID X Y HREF", or "none" when it
// reached no area. Firefox's elementFromPoint answers the image, not the area, so only
// a real click tells. Usage: node clicks.mjs PAGE.html
import puppeteer from 'puppeteer-core';
import { pathToFileURL } from 'node:url';

const browser = await puppeteer.launch({
  browser: 'firefox',
  executablePath: process.env.FIREFOX || '/usr/bin/firefox-esr',
  headless: true,
  protocol: 'webDriverBiDi',
});
try {
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 800 });
  await page.goto(pathToFileURL(process.argv[2]).href, { waitUntil: 'load' });
  await page.evaluate(() => {
    window.lastHit = 'none';
    document.addEventListener('click', (e) => {
      const area = e.target.closest('area');
      window.lastHit = area ? area.getAttribute('href') : 'none';
      e.preventDefault();
    }, true);
  });
  const probes = await page.evaluate(() =>
    JSON.parse(document.getElementById('probes').textContent));
  const lines = [];
  for (const [id, x, y] of probes) {
    const box = await page.evaluate((id) => {
      const img = document.getElementById(id);
      img.scrollIntoView();
      const r = img.getBoundingClientRect();
      window.lastHit = 'none';
      return { left: r.left, top: r.top, width: r.width };
    }, id);
    const k = box.width / Number(await page.$eval('#' + id, (img) => img.getAttribute('width')));
    await page.mouse.click(box.left + x * k, box.top + y * k);
    lines.push(`${id} ${x} ${y} ${await page.evaluate(() => window.lastHit)}`);
  }
  console.log(lines.join('\n'));
} finally {
  await browser.close();
}
