
// ---------------------------------------------------------------------------
// A site's menu: its links are written relative to the site's folder, and
// every page of the site, in whatever folder, gets them as addresses of that
// folder. The site's folder is found from this script's own address, as many
// folders up as the menu's folder lies below it (named in the call below).
// Addresses with a scheme, or starting with "/", "#" or "?", stay as written.
// ---------------------------------------------------------------------------

var siteFolder = ""
var pageFolderEntry = gFld
var pageLinkEntry = gLnk

function useSiteLinks(menuInSite)
{
	var up = ""
	var names = menuInSite.split("/")
	var i = 0

	for (i = 0; i < names.length; i++)
		if (names[i] != "")
			up = up + "../"
	try {
		// As the entries write their links into attributes between apostrophes.
		siteFolder = new URL(up, menuScript).href.replace(/'/g, "%27").replace(/&/g, "&amp;")
	} catch (e) {
		// Without an address of its own the script cannot know where the site
		// lies: links stay relative to the page.
		return
	}
	gFld = function (description, hreference) {
		return pageFolderEntry(description, siteAddress(hreference))
	}
	gLnk = function (target, description, linkData) {
		return pageLinkEntry(target, description, siteAddress(linkData))
	}
}

function siteAddress(address)
{
	if (address == "" || /^([a-z][a-z0-9+.-]*:|[\/#?])/i.test(address))
		return address
	return siteFolder + address
}

