
	html = this.link != "" ? "</a>" : ""
	html = html + "</td><td valign=middle nowrap>"
	if (USETEXTLINKS && this.link != "")
		html = html + "<a href=" + this.link + ">" + this.desc + "</a>"
	else
		html = html + this.desc
	doc.write(html + closeRowText())
	if (browserVersion == 2)
		bindPageObjects(this)
}

// ---------------------------------------------------------------------------
// Operations of both entry kinds
// ---------------------------------------------------------------------------

function display()
{
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
		// Opening a folder closes the one opened before it, unless this folder
		// lies inside that one.
		if (auto_opened_folder != -1 && auto_opened_folder != folderId
				&& !liesInside(folderId, auto_opened_folder))
			auto_close_folder(auto_opened_folder)
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

function liesInside(entryId, folderId)
{
	var folder = indexOfEntries[folderId]
	return entryId > folderId && entryId <= folderId + folder.subEntries()
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

	if (DWIN && linkData != "")
		linkData = popUpAddress(linkData)
	if (linkData != "") {
		if (target == 0)
			fullLink = "'" + linkData + "' target=\"" + attributeText(TFRAME) + "\""
		else
			fullLink = "'" + linkData + "' target=_blank"
	}
	return new Item(description, fullLink)
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

function initializeDocument()
{
	var i = 0
	var rows = ""

	if ("all" in doc)
		browserVersion = 1
	else if (doc.layers) {
		browserVersion = 2
		window.onresize = doResize
	} else
		browserVersion = 0

	if (browserVersion == 2) {
		// Layers are placed as they are written, one row after the other.
		foldersTree.initialize(0, true, "")
	} else {
		// The rows are collected and handed to the page in one write.
		doc = new RowBuffer()
		try {
			foldersTree.initialize(0, true, "")
		} finally {
			rows = doc.parts.join("")
			doc = document
		}
		doc.write(rows)
		if (browserVersion == 1)
			for (i = 0; i < nEntries; i++)
				bindPageObjects(indexOfEntries[i])
	}
	foldersTree.display()

	if (browserVersion > 0) {
		if (browserVersion == 2)
			doc.write("<layer top=" + indexOfEntries[nEntries - 1].navObj.top + ">&nbsp;</layer>")
		else
			doc.write("<div id='treeEnd' style='height:0;overflow:hidden'></div>")

		// Close the whole tree, then open the top folder again: only its own
		// entries show. The folders chosen to start open follow.
		clickOnNode(0)
		clickOnNode(0)
