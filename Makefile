# The commands of the project; see README.md.
.PHONY: test play
test:
	@tools/test-all.sh
play:
	@tools/play.sh
