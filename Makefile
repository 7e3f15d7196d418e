# The two commands of the project; see README.md.
.PHONY: test
test:
	@tools/test-all.sh
