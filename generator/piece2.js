
	this.initialize = initializeItem
	this.createIndex = createEntryIndex
	this.hide = hideItem
	this.display = display
	this.renderOb = drawItem
	this.totalHeight = totalHeight
}

function hideItem()
{
	hideRow(this)
}

function initializeItem(level, lastNode, leftSide)
{
	this.createIndex()
	this.isLastNode = lastNode ? 1 : 0
	if (level > 0)
		leftSide = leftSide + "<img src='" + (lastNode ? "ftv2lastnode.gif" : "ftv2node.gif")
			+ "' width=16 height=22 align=top>"
	this.renderOb(leftSide)
}

function drawItem(leftSide)
{
	var html = openRow(this, "item") + leftSide

	if (this.link != "")
		html = html + "<a href=" + this.link + ">"
	doc.write(html + "<img id='itemIcon" + this.id + "' width=16 height=22 align=top ")
