// Draws the menu into the element with id "quillnav" of the test page once the page has been read,
// from a file of its own so that the page holds no script a strict Content-Security-Policy refuses.
initializeDocument()
