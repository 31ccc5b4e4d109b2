# Named by the planted page.
