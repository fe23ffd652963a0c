# Writes OUTPUT, a source file defining the build's identity: 32 hexadecimal digits of a digest of
# the program's sources (the files LIST names, one a line), taken by their paths under SOURCE_DIR
# and their bytes. Two builds of one commit, wherever they lie, get the same identity; any change to
# the program gives another.
#
#   cmake -DSOURCE_DIR=<repository> -DLIST=<file> -DOUTPUT=<file> -P BuildIdentity.cmake

file(STRINGS ${LIST} files)
set(listing "")
foreach(file IN LISTS files)
  file(RELATIVE_PATH name ${SOURCE_DIR} ${file})
  file(SHA256 ${file} digest)
  string(APPEND listing "${digest} ${name}\n")
endforeach()
string(SHA256 digest "${listing}")
string(SUBSTRING ${digest} 0 32 identity)

file(WRITE ${OUTPUT} "// Written by the build (cmake/BuildIdentity.cmake) from the program's sources.
#include \"framework/resources/BuildIdentity.h\"

namespace GF {
namespace HGENS {

const char kBuildIdentity[33] = \"${identity}\";

}  // namespace HGENS
}  // namespace GF
")
