
	}
}

// ---------------------------------------------------------------------------
// Pop-up mode: links load in the window that opened the tree's window
// ---------------------------------------------------------------------------

function go(s)
{
	sErrREF = s
	window.onerror = goNewW
	try {
		if (window.opener && !window.opener.closed)
			window.opener.location.href = s
		else
			window.open(s, "newW")
	} catch (e) {
		goNewW()
	}
}

function goNewW()
{
	window.open(sErrREF, "newW")
	return true
}

function doResize()
{
	window.location.reload()
}

function hideLayer(layerName)
{
	var layer = 0

	if (layerRef == "document.layers" && doc.layers)
		layer = doc.layers[layerName]
	else if (doc.getElementById)
		layer = doc.getElementById(layerName)
	if (!layer)
		return
	if (styleSwitch != "" || layer.style)
		layer.style.visibility = "hidden"
	else
		layer.visibility = "hide"
}

// ---------------------------------------------------------------------------
// Global state
// ---------------------------------------------------------------------------

var indexOfEntries = new Array
var nEntries = 0
var doc = document
var browserVersion = 0
var selectedFolder = 0
var sErrREF = ""
var layerRef = "document.all"
var styleSwitch = ".style"
if (navigator.appName == "Netscape") {
	layerRef = "document.layers"
	styleSwitch = ""
}
var startingUp = false
// The address this script is loaded from, taken while it loads; its folder
// holds the pictures.
var menuScript = document.currentScript && document.currentScript.src ? document.currentScript.src : ""
var imageFolder = ""
var imageFolderHtml = ""
var treePlace = 0
var treeBox = 0
var typedText = ""
var typedAt = 0
var tabStop = 0
var currentEntry = 0
var frameAttributeOf = null
var frameAttributeText = ""

// ---------------------------------------------------------------------------
// The menu: options, then the entries in drawing order
// ---------------------------------------------------------------------------
