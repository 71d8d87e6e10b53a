// swfobject.js of Quarbel Vorizareda textbooks.
//
// Offers the interface textbook pages use to embed the media player:
//   var so = new SWFObject(movie, id, width, height, version);
//   so.addParam(name, value); so.addVariable(name, value); so.write(elementId);
// Where a Flash plugin of the asked version is present, write() embeds the movie with its
// parameters and variables. Everywhere else it puts an HTML5 <video> element in place of
// the element's content, honouring the variables file, autostart, volume (0..100) and
// stretching (none, uniform, fill, exactfit) and the parameter allowfullscreen.

(function (global) {
  "use strict";

  function flashVersion() {
    var plugins = global.navigator && global.navigator.plugins;
    if (plugins && plugins.length) {
      var flash = plugins["Shockwave Flash"];
      if (flash && flash.description) {
        var match = /(\d+)\./.exec(flash.description);
        if (match) {
          return parseInt(match[1], 10);
        }
      }
    }
    return 0;
  }

  function escapeAttribute(text) {
    return String(text).replace(/&/g, "&amp;").replace(/"/g, "&quot;")
      .replace(/</g, "&lt;").replace(/>/g, "&gt;");
  }

  function SWFObject(movie, id, width, height, version) {
    this.movie = movie;
    this.id = id;
    this.width = width;
    this.height = height;
    this.version = parseInt(version, 10) || 0;
    this.params = {};
    this.variables = {};
  }

  SWFObject.prototype.addParam = function (name, value) {
    this.params[name] = value;
  };

  SWFObject.prototype.addVariable = function (name, value) {
    this.variables[name] = value;
  };

  SWFObject.prototype.getVariablePairs = function () {
    var pairs = [];
    for (var name in this.variables) {
      if (Object.prototype.hasOwnProperty.call(this.variables, name)) {
        pairs.push(encodeURIComponent(name) + "=" + encodeURIComponent(this.variables[name]));
      }
    }
    return pairs.join("&");
  };

  SWFObject.prototype.flashMarkup = function () {
    var markup = '<embed type="application/x-shockwave-flash" src="' + escapeAttribute(this.movie) +
      '" width="' + escapeAttribute(this.width) + '" height="' + escapeAttribute(this.height) +
      '" id="' + escapeAttribute(this.id) + '" name="' + escapeAttribute(this.id) + '"';
    for (var name in this.params) {
      if (Object.prototype.hasOwnProperty.call(this.params, name)) {
        markup += " " + name + '="' + escapeAttribute(this.params[name]) + '"';
      }
    }
    return markup + ' flashvars="' + escapeAttribute(this.getVariablePairs()) + '"/>';
  };

  // The <video> that stands in for the player.
  SWFObject.prototype.createVideo = function (doc) {
    var v = this.variables;
    var video = doc.createElement("video");
    video.id = this.id;
    video.src = v.file || "";
    video.controls = true;
    video.preload = "metadata";
    video.width = parseInt(this.width, 10) || 640;
    video.height = parseInt(this.height, 10) || 480;
    video.style.backgroundColor = "#000";
    video.autoplay = String(v.autostart) === "true";
    var volume = parseFloat(v.volume);
    if (!isNaN(volume)) {
      video.volume = Math.max(0, Math.min(1, volume / 100));
    }
    var fits = { none: "none", uniform: "contain", fill: "cover", exactfit: "fill" };
    video.style.objectFit = fits[String(v.stretching)] || "contain";
    if (String(this.params.allowfullscreen) !== "true") {
      video.setAttribute("controlsList", "nofullscreen");
      video.disablePictureInPicture = true;
    }
    return video;
  };

  SWFObject.prototype.write = function (elementId) {
    var doc = global.document;
    var element = typeof elementId === "string" ? doc.getElementById(elementId) : elementId;
    if (!element) {
      return false;
    }
    if (this.version > 0 && flashVersion() >= this.version) {
      element.innerHTML = this.flashMarkup();
      return true;
    }
    while (element.firstChild) {
      element.removeChild(element.firstChild);
    }
    element.appendChild(this.createVideo(doc));
    return true;
  };

  global.SWFObject = SWFObject;
})(this);
