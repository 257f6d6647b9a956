// Draws the report's plots from the data the page carries: every number shown on hover is the
// text of the file it comes from.
(function () {
  'use strict';
  var data = JSON.parse(document.getElementById('report-data').textContent);
  var symbols = ['circle', 'circle', 'square', 'diamond', 'triangle-up', 'triangle-down', 'cross',
    'x', 'star', 'hexagon'];
  var svgButton = {
    name: 'Download plot as SVG',
    icon: Plotly.Icons.disk,
    click: function (gd) { Plotly.downloadImage(gd, { format: 'svg', filename: gd.id.slice(5) }); }
  };
  function config(name) {
    return {
      responsive: true, displaylogo: false, modeBarButtonsToAdd: [svgButton],
      toImageButtonOptions: { format: 'png', filename: name, scale: 2 }
    };
  }
  function numbers(texts) { return texts.map(Number); }

  function drawPlot(plot) {
    var element = document.getElementById('plot-' + plot.anchor);
    if (!element) return;
    var traces = plot.traces.map(function (trace) {
      var custom = trace.x.map(function (x, i) { return [x, trace.y[i]]; });
      return {
        type: 'scatter',
        mode: trace.lineOnly || plot.dense ? 'lines' : 'lines+markers',
        name: trace.name,
        x: numbers(trace.x),
        y: numbers(trace.y),
        customdata: custom,
        marker: { symbol: symbols[trace.marker] || 'circle', size: 7 },
        hovertemplate: (plot.xTitle || 'x') + ' = %{customdata[0]}<br>' + trace.name +
          ' = %{customdata[1]}<extra></extra>'
      };
    });
    var layout = {
      title: { text: plot.yTitle || plot.file },
      xaxis: { title: { text: plot.xTitle }, zeroline: false },
      yaxis: { title: { text: plot.yTitle }, zeroline: false, exponentformat: 'none' },
      hovermode: 'closest',
      legend: { orientation: 'h', y: -0.2 },
      margin: { t: 50, r: 20 }
    };
    Plotly.newPlot(element, traces, layout, config(plot.anchor));
  }

  // The expansivity along unit n is n.alpha.n; the surface has radius |n.alpha.n|, in one
  // colour where it is positive and in another where it is negative.
  function drawIndicatrix(tensor) {
    var element = document.getElementById('plot-indicatrix');
    if (!element || !tensor.alpha_x || !tensor.alpha_y || !tensor.alpha_z) return;
    var alpha = [numbers(tensor.alpha_x), numbers(tensor.alpha_y), numbers(tensor.alpha_z)];
    var steps = 72;
    var sheets = { positive: { x: [], y: [], z: [], v: [] }, negative: { x: [], y: [], z: [], v: [] } };
    var largest = 0;
    for (var i = 0; i <= steps / 2; i++) {
      var theta = Math.PI * i / (steps / 2);
      var rows = { positive: [[], [], [], []], negative: [[], [], [], []] };
      for (var j = 0; j <= steps; j++) {
        var phi = 2 * Math.PI * j / steps;
        var n = [Math.sin(theta) * Math.cos(phi), Math.sin(theta) * Math.sin(phi), Math.cos(theta)];
        var value = 0;
        for (var r = 0; r < 3; r++) for (var c = 0; c < 3; c++) value += n[r] * alpha[r][c] * n[c];
        var radius = Math.abs(value);
        largest = Math.max(largest, radius);
        ['positive', 'negative'].forEach(function (sign) {
          var on = sign === 'positive' ? value >= 0 : value < 0;
          var row = rows[sign];
          row[0].push(on ? radius * n[0] : null);
          row[1].push(on ? radius * n[1] : null);
          row[2].push(on ? radius * n[2] : null);
          row[3].push(value.toFixed(4));
        });
      }
      ['positive', 'negative'].forEach(function (sign) {
        sheets[sign].x.push(rows[sign][0]);
        sheets[sign].y.push(rows[sign][1]);
        sheets[sign].z.push(rows[sign][2]);
        sheets[sign].v.push(rows[sign][3]);
      });
    }
    var colours = { positive: '#c8432b', negative: '#2b6cc8' };
    var traces = ['positive', 'negative'].map(function (sign) {
      return {
        type: 'surface', name: sign, x: sheets[sign].x, y: sheets[sign].y, z: sheets[sign].z,
        customdata: sheets[sign].v, showscale: false, opacity: 0.92,
        colorscale: [[0, colours[sign]], [1, colours[sign]]],
        hovertemplate: 'alpha(n) = %{customdata} MK<sup>-1</sup><extra>' + sign + '</extra>'
      };
    });
    var reach = (largest || 1) * 1.3;
    ['a', 'b', 'c'].forEach(function (axis) {
      if (!tensor[axis]) return;
      var u = numbers(tensor[axis]);
      traces.push({
        type: 'scatter3d', mode: 'lines+text', name: axis, showlegend: false,
        x: [0, reach * u[0]], y: [0, reach * u[1]], z: [0, reach * u[2]],
        text: ['', axis], textfont: { size: 16, color: '#222' },
        line: { color: '#222', width: 5 }, hoverinfo: 'name'
      });
    });
    var axis = { title: { text: '' }, showticklabels: true, range: [-reach, reach] };
    var layout = {
      scene: { xaxis: axis, yaxis: axis, zaxis: axis, aspectmode: 'cube' },
      margin: { t: 10, l: 0, r: 0, b: 0 }
    };
    Plotly.newPlot(element, traces, layout, config('indicatrix'));
  }

  // A plot is drawn when it comes near the window, so that a page of long series opens at
  // once and only the plots looked at take their time.
  var observer = new IntersectionObserver(function (entries) {
    entries.forEach(function (entry) {
      if (!entry.isIntersecting) return;
      observer.unobserve(entry.target);
      entry.target.draw();
    });
  }, { rootMargin: '300px 0px' });
  function drawWhenSeen(id, draw) {
    var element = document.getElementById(id);
    if (!element) return;
    element.draw = function () {
      try {
        draw();
      } catch (error) {
        element.innerHTML = '<p class="failure">This plot could not be drawn.</p>';
        throw error;
      }
    };
    observer.observe(element);
  }
  data.plots.forEach(function (plot) {
    drawWhenSeen('plot-' + plot.anchor, function () { drawPlot(plot); });
  });
  if (data.tensor) drawWhenSeen('plot-indicatrix', function () { drawIndicatrix(data.tensor); });
  if (location.hash) {
    var target = document.getElementById(location.hash.slice(1));
    if (target) target.scrollIntoView();
  }
}());
