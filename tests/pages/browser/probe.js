// Run by headless Chromium in a page of tst_exportbrowser. With the picture's box at its
// own width and at half of it, asks what lies under each point the "probes" list names
// (an <area> in an image map, a shape inside an <a> in SVG) and writes "SCALE X,Y HREF"
// lines into <pre id="hits">.
(function () {
  var probes = JSON.parse(document.getElementById("probes").textContent);
  var box = document.querySelector(probes.box);
  var picture = document.querySelector(probes.picture);
  var lines = [];
  function probe(scale) {
    var r = picture.getBoundingClientRect();
    var k = r.width / 640;
    probes.points.forEach(function (p) {
      var el = document.elementFromPoint(r.left + p[0] * k, r.top + p[1] * k);
      var link = el && (el.tagName === "AREA" ? el : el.closest("a"));
      var href = link ? link.getAttribute("href") : "none:" + (el ? el.tagName : "");
      lines.push(scale + " " + p[0] + "," + p[1] + " " + encodeURIComponent(href));
    });
  }
  // Headless Chromium draws no frames of its own, so no ResizeObserver fires: the
  // resize event that the page also listens to stands in for it. Layout and hit
  // testing run at once in elementFromPoint.
  function at(scale) {
    box.style.width = (640 * scale / 100) + "px";
    window.dispatchEvent(new Event("resize"));
    probe(scale);
  }
  window.addEventListener("load", function () {
    at(100);
    at(50);
    var out = document.createElement("pre");
    out.id = "hits";
    out.textContent = lines.join("\n");
    document.body.appendChild(out);
  });
})();
