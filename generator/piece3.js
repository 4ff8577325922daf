
	relocateIcon()
	html = this.link != "" ? "</a>" : ""
	html = html + captionCell(this.link != "" && !captionLinked)
	if (captionLinked)
		html = html + anchor + captionHtml(this) + "</a>"
	else
		html = html + captionHtml(this)
	doc.write(html + closeRowText())
	if (browserVersion == 2)
		bindPageObjects(this)
}

// The lines above name the document's picture as it lies in the menu's folder;
// the row it has just been written into needs the picture's address from the
// page. Addresses with a scheme or a leading slash stay as they are.
function relocateIcon()
{
	var parts = doc.parts
	var text = parts ? parts[parts.length - 1] : ""
	var end = text.indexOf("'", 5)

	if (imageFolder == "" || text.slice(0, 5) != "src='" || end < 0
		|| /^([a-z][a-z0-9+.-]*:|\/)/i.test(text.slice(5, end)))
		return
	parts[parts.length - 1] = "src='" + imageFolderHtml + text.slice(5)
}

// ---------------------------------------------------------------------------
// Operations of both entry kinds
// ---------------------------------------------------------------------------

function display()
{
	if (!this.navObj)
		return
	if (browserVersion == 1)
		this.navObj.style.display = "block"
	else if (browserVersion == 2)
		this.navObj.visibility = "show"
}

function createEntryIndex()
{
	this.id = nEntries
	indexOfEntries[nEntries] = this
	nEntries++
}

// The height of the entry's row and of every row shown inside it, walked with a
// stack of its own.
function totalHeight()
{
	var pending = [this]
	var entry = 0
	var height = 0
	var i = 0

	while (pending.length > 0) {
		entry = pending.pop()
		if (browserVersion == 2)
			height = height + entry.navObj.clip.height
		else if (entry.navObj)
			height = height + entry.navObj.offsetHeight
		if (entry.children && entry.isOpen)
			for (i = 0; i < entry.nChildren; i++)
				pending.push(entry.children[i])
	}
	return height
}

// ---------------------------------------------------------------------------
// Clicks
// ---------------------------------------------------------------------------

function clickOnFolder(folderId)
{
	if (!indexOfEntries[folderId].isOpen)
		clickOnNode(folderId)
}

function clickOnNode(folderId)
{
	var clickedFolder = indexOfEntries[folderId]
	var state = clickedFolder.isOpen

	if (bAUTOCLOSE && !state && folderId != 0) {
		closeOtherBranches(clickedFolder)
		auto_opened_folder = folderId
	}

	clickedFolder.setState(!state)
	return false
}

function auto_close_folder(folderId)
{
	if (indexOfEntries[folderId].isOpen)
		clickOnNode(folderId)
}

// Auto-close works as an accordion: once a folder opens, the only open folders
// are the top folder, that folder and the folders it lies in.
function closeOtherBranches(folder)
{
	var keep = folder
	var parent = folder.parentFolder
	var i = 0
	var child = 0

	for (; parent; keep = parent, parent = parent.parentFolder) {
		for (i = 0; i < parent.nChildren; i++) {
			child = parent.children[i]
			if (child != keep && child.children && child.isOpen)
				auto_close_folder(child.id)
		}
	}
}

function liesInside(entryId, folderId)
{
	var folder = indexOfEntries[folderId]
	return entryId > folderId && entryId <= folderId + folder.subEntries()
}

// ---------------------------------------------------------------------------
// Mouse and keyboard in current browsers: one set of listeners on the tree
// ---------------------------------------------------------------------------

// The entry whose row holds the given page node, or 0.
function entryAt(node)
{
	while (node && node.parentNode != treeBox)
		node = node.parentNode
	if (!node || !node.id)
		return 0
	return indexOfEntries[parseInt(node.id.replace(/^[a-z]+/, ""), 10)] || 0
}

function isConnector(entry, node)
{
	return entry.nodeImg && node == entry.nodeImg.parentNode
}

// The anchors the tree made for a folder's own link (not those of its caption).
function isFolderAnchor(entry, node)
{
	var cell = node.parentNode

	return node.tagName == "A" && !isConnector(entry, node) && cell && cell.parentNode == entry.navObj.rows[0]
		&& (cell.cellIndex == 0 || (USETEXTLINKS && node == cell.firstChild))
}

function onTreeClick(event)
{
	var anchor = event.target.closest ? event.target.closest("a") : 0
	var entry = anchor ? entryAt(anchor) : 0

	if (!entry)
		return
	if (isConnector(entry, anchor)) {
		event.preventDefault()
		clickOnNode(entry.id)
	} else if (entry.children && isFolderAnchor(entry, anchor)) {
		if (entry.hreference == "")
			event.preventDefault()
		clickOnFolder(entry.id)
	}
	// A link hidden from assistive technology (the connector, an icon beside its
	// caption's link) gives the focus a click put on it to its row.
	if (document.activeElement == anchor && anchor.getAttribute("aria-hidden") == "true")
		moveTabStop(entry, true)
}

function onTreeFocus(event)
{
	var entry = entryAt(event.target)

	if (entry && entry != tabStop)
		moveTabStop(entry, false)
}

function onTreeKey(event)
{
	var entry = entryAt(event.target)
	var key = event.key
	var next = 0

	if (!entry || event.altKey || event.ctrlKey || event.metaKey)
		return
	if (key.length != 1 || key == " ")
		typedText = ""
	if (isConnector(entry, event.target)) {
		if (key != "Enter" && key != " ")
			return
		clickOnNode(entry.id)
	} else if (key == "ArrowDown") {
		next = nextShown(entry)
	} else if (key == "ArrowUp") {
		next = previousShown(entry)
	} else if (key == "ArrowRight") {
		if (entry.children && !entry.isOpen)
			clickOnNode(entry.id)
		else if (entry.children && entry.nChildren > 0)
			next = entry.children[0]
	} else if (key == "ArrowLeft") {
		if (entry.children && entry.isOpen)
			clickOnNode(entry.id)
		else
			next = entry.parentFolder
	} else if (key == "Home") {
		next = foldersTree
	} else if (key == "End") {
		next = foldersTree
		while (next.children && next.isOpen && next.nChildren > 0)
			next = next.children[next.nChildren - 1]
	} else if (key == "Enter" && event.target == entry.navObj) {
		followRow(entry)
	} else if (key.length == 1 && key != " ") {
		next = typeAhead(entry, key.toLowerCase())
	} else {
		return
	}
	event.preventDefault()
	if (next)
		moveTabStop(next, true)
}

// Enter on a row follows its link in its target; a folder without a link opens
// or closes instead.
function followRow(entry)
{
	var link = entry.children ? entry.hreference : entry.link
	var anchor = entry.iconImg ? entry.iconImg.parentNode : 0

	if (link != "" && anchor && anchor.tagName == "A")
		anchor.click()
	else if (entry.children)
		clickOnNode(entry.id)
}

function nextShown(entry)
{
	if (entry.children && entry.isOpen && entry.nChildren > 0)
		return entry.children[0]
	for (; entry.parentFolder; entry = entry.parentFolder)
		if (entry.position < entry.parentFolder.nChildren - 1)
			return entry.parentFolder.children[entry.position + 1]
	return 0
}

function previousShown(entry)
{
	var before = 0

	if (!entry.parentFolder)
		return 0
	if (entry.position == 0)
		return entry.parentFolder
	before = entry.parentFolder.children[entry.position - 1]
	while (before.children && before.isOpen && before.nChildren > 0)
		before = before.children[before.nChildren - 1]
	return before
}

// Type-ahead: letters typed in quick succession make a prefix, and the focus
// goes to the first shown row from this one on whose caption starts with it.
// The same letter typed again moves on to the next row starting with it; a
// prefix that no row has starts over with its last letter.
function typeAhead(entry, letter)
{
	var now = new Date().getTime()
	var found = 0

	typedText = now - typedAt > 1000 ? letter : typedText + letter
	typedAt = now
	if (typedText.length > 1 && typedText.split(letter).join("") != "") {
		found = nextStartingWith(entry, typedText, true)
		if (found)
			return found
		typedText = letter
	}
	return nextStartingWith(entry, letter, false)
}

// The next shown row, from this one on (or after it) and round again from the
// top, whose caption starts with the given text.
function nextStartingWith(entry, prefix, fromHere)
{
	var candidate = fromHere ? entry : nextShown(entry) || foldersTree

	do {
		if (captionText(candidate).slice(0, prefix.length).toLowerCase() == prefix)
			return candidate
		candidate = nextShown(candidate) || foldersTree
	} while (candidate != entry)
	return 0
}

function captionText(entry)
{
	var cell = entry.navObj ? entry.navObj.rows[0].cells[1] : 0

	if (!cell)
		return ""
	return (hasMarkup(entry.desc) ? visibleText(cell) : cell.textContent).replace(/^\s+/, "")
}

// Roving Tab stop: exactly one row of the tree is in the Tab order.
function moveTabStop(entry, focus)
{
	if (tabStop && tabStop.navObj)
		tabStop.navObj.tabIndex = -1
	tabStop = entry
	if (!entry.navObj)
		return
	entry.navObj.tabIndex = 0
	if (focus)
		entry.navObj.focus()
}

// ---------------------------------------------------------------------------
// The current page: the entry that links to the page the tree sits in
// ---------------------------------------------------------------------------

function findCurrentPage()
{
	var here = location.href.split("#")[0]
	var hint = pageNameHint()
	var i = 0
	var entry = 0
	var address = ""

	for (i = 0; i < nEntries; i++) {
		entry = indexOfEntries[i]
		address = entry.children ? entry.hreference : entry.address
		if (address == "" || (hint != "" && address.indexOf(hint) < 0))
			continue
		if (hint == "" && address != "." && !/\/([?#].*)?$/.test(address))
			continue
		try {
			// The generator writes an ampersand of a link as "&amp;", for the markup.
			address = address.replace(/&amp;/g, "&")
			if (new URL(address, document.baseURI).href.split("#")[0] == here)
				return entry
		} catch (e) {
		}
	}
	return 0
}

// Resolving every link would be slow in a large tree; only links that contain
// the end of the page's file name are resolved (when the page's address ends
// with a slash, only links that do too). The hint is that end, made of
// characters that every way of writing the name keeps as they are.
function pageNameHint()
{
	var name = location.pathname.replace(/^.*\//, "")

	try {
		name = decodeURIComponent(name)
	} catch (e) {
	}
	return name.match(/[A-Za-z0-9._~-]*$/)[0]
}

function markCurrentPage()
{
	var chain = []
	var folder = 0
	var i = 0

	currentEntry = findCurrentPage()
	if (!currentEntry)
		return
	for (folder = currentEntry.parentFolder; folder; folder = folder.parentFolder)
		chain.push(folder)
	for (i = chain.length - 1; i >= 0; i--)
		if (!chain[i].isOpen)
			clickOnNode(chain[i].id)
	tabStop = currentEntry
}

// ---------------------------------------------------------------------------
// Building the tree
// ---------------------------------------------------------------------------

function gFld(description, hreference)
{
	if (DWIN && hreference != "")
		hreference = popUpAddress(hreference)
	return new Folder(description, hreference)
}

function gLnk(target, description, linkData)
{
	var fullLink = ""
	var entry = 0
	var address = linkData

	if (DWIN && linkData != "")
		linkData = popUpAddress(linkData)
	if (linkData != "") {
		if (target == 0)
			fullLink = "'" + linkData + "' target=\"" + frameAttribute() + "\""
		else
			fullLink = "'" + linkData + "' target=_blank"
	}
	entry = new Item(description, fullLink)
	entry.address = address
	return entry
}

function insFld(parentFolder, childFolder)
{
	return parentFolder.addChild(childFolder)
}

function insDoc(parentFolder, documentEntry)
{
	parentFolder.addChild(documentEntry)
}

function popUpAddress(address)
{
	return "javascript:go(\"" + address.replace(/\\/g, "\\\\").replace(/"/g, "\\\"") + "\")"
}

// ---------------------------------------------------------------------------
// The open folders, remembered for the visit: in a site whose pages each hold
// the menu, the next page shows it as the visitor left it. The entry count
// keeps a menu that was rebuilt in the meantime from taking another's folders.
// ---------------------------------------------------------------------------

function openFoldersKey()
{
	return "quillnav " + menuScript.replace(/[?#].*$/, "")
}

function saveOpenFolders()
{
	var open = []
	var i = 0

	for (i = 1; i < nEntries; i++)
		if (indexOfEntries[i].children && indexOfEntries[i].isOpen)
			open.push(i)
	try {
		sessionStorage.setItem(openFoldersKey(), nEntries + ":" + open.join(","))
	} catch (e) {
		// No storage (switched off, or full): the next page starts as built.
	}
}

// Before the tree is on the page: folders that were closed close, then the
// ones that were open open, each after the folders around it.
function restoreOpenFolders()
{
	var saved = null
	var open = []
	var wanted = {}
	var folder = 0
	var i = 0

	try {
		saved = sessionStorage.getItem(openFoldersKey())
	} catch (e) {
	}
	if (!saved || saved.split(":")[0] != String(nEntries))
		return
	open = saved.split(":")[1] ? saved.split(":")[1].split(",") : []
	for (i = 0; i < open.length; i++)
		wanted[open[i]] = true
	for (i = 1; i < nEntries; i++) {
		folder = indexOfEntries[i]
		if (folder.children && folder.isOpen && !wanted[i])
			folder.setState(false)
	}
	for (i = 0; i < open.length; i++) {
		folder = indexOfEntries[parseInt(open[i], 10)]
		if (folder && folder.children)
			folder.setState(true)
	}
}

// ---------------------------------------------------------------------------
// Start-up: called from the page body where the tree is to appear
// ---------------------------------------------------------------------------

// The folder of the pictures, from the address this script was loaded from:
// as a path from the page when both lie on one server (empty when the page
// sits beside the script), its full address otherwise.
function findImageFolder()
{
	var pageFolder = 0
	var scriptFolder = 0
	var from = []
	var to = []
	var same = 0
	var up = ""
	var i = 0

	try {
		pageFolder = new URL(".", document.baseURI)
		scriptFolder = new URL(".", menuScript)
	} catch (e) {
		return ""
	}
	if (pageFolder.protocol != scriptFolder.protocol || pageFolder.host != scriptFolder.host)
		return scriptFolder.href
	from = pageFolder.pathname.split("/")
	to = scriptFolder.pathname.split("/")
	while (same < from.length - 1 && same < to.length - 1 && from[same] == to[same])
		same++
	// Files on different drives share no path.
	if (same <= 1 && scriptFolder.protocol == "file:")
		return scriptFolder.href
	for (i = same; i < from.length - 1; i++)
		up = up + "../"
	return up + to.slice(same).join("/")
}

// The rules the tree needs of its own. They go in through the style sheet
// interface, which a strict Content-Security-Policy leaves alone, where a
// <style> element or a style attribute would be refused. Rows out of sight are
// not laid out until they scroll into view. A long caption wraps under its own
// start, in lines as high as the pictures, and the rules of the page around
// the tree (margins of tables, padding of cells, sizes of pictures) leave its
// rows as they are.
function addTreeStyles()
{
	var rules = ["#quillnavTree{overflow-x:auto}",
		"#quillnavTree>table{display:block;min-width:min-content;content-visibility:auto;contain-intrinsic-size:auto 22px;"
			+ "margin:0;border:0;border-spacing:0;width:auto;height:auto;background:none}",
		"#quillnavTree td{padding:0;border:0;vertical-align:top;background:none}",
		"#quillnavTree td+td{min-width:8em;vertical-align:middle;white-space:normal;overflow-wrap:break-word;line-height:22px}",
		"#quillnavTree td:first-child{white-space:nowrap;line-height:0}",
		"#quillnavTree td:first-child a{margin:0;padding:0;border:0}",
		"#quillnavTree td:first-child img{max-width:none;max-height:none;margin:0;padding:0;border:0;"
			+ "box-sizing:content-box;vertical-align:top}",
		"#quillnavTree>table:focus-visible{outline:2px solid #1A66D9;outline-offset:-2px}",
		"#quillnavTree>table.currentPage td{font-weight:bold}"]
	var sheet = 0
	var head = 0
	var i = 0

	try {
		sheet = new CSSStyleSheet()
		for (i = 0; i < rules.length; i++)
			sheet.insertRule(rules[i], i)
		document.adoptedStyleSheets = document.adoptedStyleSheets.concat([sheet])
		return
	} catch (e) {
		// Browsers without constructed style sheets get an element of their own.
	}
	sheet = document.createElement("style")
	head = document.head || document.documentElement
	head.appendChild(sheet)
	for (i = 0; i < rules.length; i++)
		sheet.sheet.insertRule(rules[i], i)
}

// Where the tree goes. While the page is being read, right after the script in
// its body that starts it; once the page has been read, into the element with
// id "quillnav", or else at the end of the body. A start from a script that
// does not run in its place in the body (in the head, asynchronous, a timer)
// while the page is still being read waits until it has been read. Nothing is
// ever written over the page.
function placeTree()
{
	var script = document.currentScript
	var place = 0

	if (document.readyState == "loading") {
		if (!script || script.async || !document.body || !document.body.contains(script))
			return false
		place = function (box) { script.parentNode.insertBefore(box, script.nextSibling) }
	} else {
		place = function (box) { (document.getElementById("quillnav") || document.body).appendChild(box) }
	}
	// The tree is a navigation landmark of its own, named as the tree is.
	treePlace = document.createElement("div")
	treePlace.id = "quillnavTree"
	menuLandmark = document.createElement("div")
	menuLandmark.setAttribute("role", "navigation")
	menuLandmark.appendChild(treePlace)
	place(menuLandmark)
	return true
}

// The rows of the start-up state in one piece of HTML, and the listeners that
// make the tree work without a single handler in its markup.
function showStartState()
{
	var shown = []
	var pending = [foldersTree]
	var entry = 0
	var i = 0

	restoreOpenFolders()
	markCurrentPage()
	if (!tabStop)
		tabStop = foldersTree
	addTreeStyles()
	treeBox = treePlace
	treeBox.setAttribute("role", "tree")
	treeBox.setAttribute("aria-labelledby", "folder0")
	menuLandmark.setAttribute("aria-labelledby", "folder0")
	while (pending.length > 0) {
		entry = pending.pop()
		shown.push(entry)
		if (entry.children && entry.isOpen) {
			entry.childrenDrawn = true
			for (i = entry.nChildren - 1; i >= 0; i--)
				pending.push(entry.children[i])
		}
	}
	insertRows(shown, treeBox, "beforeend")
	treeBox.addEventListener("click", onTreeClick)
	treeBox.addEventListener("keydown", onTreeKey)
	treeBox.addEventListener("focusin", onTreeFocus)
	window.addEventListener("pagehide", saveOpenFolders)
	document.addEventListener("visibilitychange", function () {
		if (document.visibilityState == "hidden")
			saveOpenFolders()
	})
}

function initializeDocument()
{
	if (!startingUp) {
		if (!doc.layers && !placeTree()) {
			doc.addEventListener("DOMContentLoaded", function () { initializeDocument() })
			return
		}
		imageFolder = findImageFolder().replace(/'/g, "%27")
		imageFolderHtml = imageFolder.replace(/&/g, "&amp;")
		// The generated lines that open the chosen folders end this function, so
		// this outer call draws the tree once they have run: until then every
		// state change stays off the page.
		startingUp = true
		try {
			initializeDocument()
		} finally {
			startingUp = false
		}
		if (browserVersion == 1)
			showStartState()
		return
	}

	if ("all" in doc)
		browserVersion = 1
	else if (doc.layers) {
		browserVersion = 2
		window.onresize = doResize
	} else
		browserVersion = 0

	foldersTree.initialize(0, true, "")
	foldersTree.display()

	if (browserVersion > 0) {
		if (browserVersion == 2)
			doc.write("<layer top=" + indexOfEntries[nEntries - 1].navObj.top + ">&nbsp;</layer>")

		// Close the whole tree, then open the top folder again: only its own
		// entries show. The folders chosen to start open follow.
		clickOnNode(0)
		clickOnNode(0)
