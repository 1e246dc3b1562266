# The third-party corpus and the perf yardsticks live in a shared folder beside the source tree.
# Tests that need it find it here; they show as skipped without it, and fail with CI=true.
if(NOT "$ENV{VELMORA_SHARED_DIR}" STREQUAL "")
  set(velmora_shared_default "$ENV{VELMORA_SHARED_DIR}")
else()
  set(velmora_shared_default "${PROJECT_SOURCE_DIR}/../shared")
endif()
set(VELMORA_SHARED_DIR "${velmora_shared_default}"
    CACHE PATH "Shared folder with corpus/ and perf/ (default: ../shared beside the sources)")
cmake_path(ABSOLUTE_PATH VELMORA_SHARED_DIR NORMALIZE OUTPUT_VARIABLE VELMORA_SHARED)
