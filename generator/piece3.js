
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

function totalHeight()
{
	var height = 0
	var i = 0

	if (browserVersion == 2)
		height = this.navObj.clip.height
	else if (this.navObj)
		height = this.navObj.offsetHeight
	if (this.children && this.isOpen)
		for (i = 0; i < this.nChildren; i++)
			height = height + this.children[i].totalHeight()
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
		next = nextStartingWith(entry, key.toLowerCase())
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

// Type-ahead: the next shown row, after this one and round again from the top,
// whose caption starts with the typed letter.
function nextStartingWith(entry, letter)
{
	var candidate = nextShown(entry) || foldersTree

	for (; candidate != entry; candidate = nextShown(candidate) || foldersTree)
		if (captionText(candidate).charAt(0).toLowerCase() == letter)
			return candidate
	return 0
}

function captionText(entry)
{
	return entry.navObj ? entry.navObj.rows[0].cells[1].textContent.replace(/^\s+/, "") : ""
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
// Start-up: called from the page body where the tree is to appear
// ---------------------------------------------------------------------------

// The rows of the start-up state in one piece of HTML, and the listeners that
// make the tree work without a single handler in its markup.
function showStartState()
{
	var shown = []
	var pending = [foldersTree]
	var entry = 0
	var i = 0

	markCurrentPage()
	if (!tabStop)
		tabStop = foldersTree
	treeBox = doc.getElementById("quillnavTree")
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
}

function initializeDocument()
{
	if (!startingUp) {
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
	if (browserVersion == 1) {
		// Rows out of sight are not laid out until they scroll into view.
		doc.write("<style>#quillnavTree>table{display:block;content-visibility:auto;contain-intrinsic-size:auto 22px}"
			+ "#quillnavTree>table:focus-visible{outline:2px solid #1A66D9;outline-offset:-2px}"
			+ "#quillnavTree>table.currentPage td{font-weight:bold}</style>"
			+ "<div id='quillnavTree' role='tree' aria-labelledby='folder0'></div>")
	}
	foldersTree.display()

	if (browserVersion > 0) {
		if (browserVersion == 2)
			doc.write("<layer top=" + indexOfEntries[nEntries - 1].navObj.top + ">&nbsp;</layer>")

		// Close the whole tree, then open the top folder again: only its own
		// entries show. The folders chosen to start open follow.
		clickOnNode(0)
		clickOnNode(0)
