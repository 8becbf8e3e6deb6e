# CHANGELOG.md to a Debian changelog, one entry per "## VERSION - DATE"
# section, newest first, as a native package carries it:
#
#   name (VERSION) unstable; urgency=medium
#
#     * the section's first paragraph
#     * Added:
#       - an item
#
#    -- maintainer  Tue, 08 Dec 2026 00:00:00 +0000
#
# usage: awk -v name=NAME -v maintainer='Name <mail>' -f this CHANGELOG.md
function close_entry() {
	if (version != "")
		printf "\n -- %s  %s\n", maintainer, rfc2822(date)
}

# YYYY-MM-DD to an RFC 2822 date at midnight UTC; the weekday by
# Sakamoto's method.
function rfc2822(ymd,    p, y, m, d, t, w) {
	split(ymd, p, "-")
	y = p[1] + 0; m = p[2] + 0; d = p[3] + 0
	split("0 3 2 5 0 3 5 1 4 6 2 4", t, " ")
	if (m < 3)
		y--
	w = (y + int(y / 4) - int(y / 100) + int(y / 400) + t[m] + d) % 7
	return sprintf("%s, %02d %s %04d 00:00:00 +0000",
		substr("SunMonTueWedThuFriSat", 3 * w + 1, 3), d,
		substr("JanFebMarAprMayJunJulAugSepOctNovDec", 3 * m - 2, 3), p[1])
}

# The section of changes not yet released, "## Unreleased", is left out.
/^## / {
	close_entry()
	if (version != "" && $2 != "Unreleased")
		print ""
	version = $2 == "Unreleased" ? "" : $2; date = $4
	if (version != "")
		printf "%s (%s) unstable; urgency=medium\n\n", name, version
	para = 0
	next
}
version == "" { next }
/^### / { sub(/^### /, ""); print "  * " $0 ":"; item = 0; next }
/^- / { sub(/^- /, ""); print "    - " $0; item = 1; next }
/^  / && item { print "    " $0; next }
/^$/ { para = 0; item = 0; next }
{ print (para ? "    " : "  * ") $0; para = 1; next }
END { close_entry() }
