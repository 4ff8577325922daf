
	this.isLastNode = 0
	this.parentFolder = 0
	this.position = 0
	this.address = ""
}

Item.prototype.initialize = initializeItem
Item.prototype.createIndex = createEntryIndex
Item.prototype.hide = hideItem
Item.prototype.display = display
Item.prototype.renderOb = drawItem
Item.prototype.totalHeight = totalHeight

function hideItem()
{
	hideRow(this)
}

function initializeItem(level, lastNode, leftSide)
{
	this.createIndex()
	this.isLastNode = lastNode ? 1 : 0
	if (browserVersion == 1)
		return
	if (level > 0)
		leftSide = leftSide + "<img src='" + imageFolderHtml + (lastNode ? "ftv2lastnode.gif" : "ftv2node.gif")
			+ "' alt='' width=16 height=22 align=top>"
	this.renderOb(leftSide)
}

function drawItem(leftSide)
{
	var captionLinked = USETEXTLINKS && this.link != ""
	var anchor = "<a href=" + this.link + (browserVersion == 1 ? " tabindex='-1'>" : ">")
	var html = openRow(this, "item") + leftSide

	if (this.link != "")
		html = html + iconAnchor(this, anchor, captionLinked)
	doc.write(html + "<img id='itemIcon" + this.id + "' alt='' width=16 height=22 align=top ")
