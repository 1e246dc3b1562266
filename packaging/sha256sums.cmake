# Run by CPack once the package is written: SHA256SUMS.txt in the folder the package goes to, in
# the format that `sha256sum -c` reads ("<hash>  <file name>").
set(sums "")
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  file(SHA256 ${package} hash)
  get_filename_component(name ${package} NAME)
  string(APPEND sums "${hash}  ${name}\n")
endforeach()
file(WRITE ${CPACK_PACKAGE_DIRECTORY}/SHA256SUMS.txt "${sums}")
