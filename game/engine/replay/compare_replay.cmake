# Runs the native replay and the ARM one under qemu-arm and passes when
# both print the same well-formed line; prints both lines either way.
#   cmake -DNATIVE=<program> "-DHANDSET=<qemu-arm;-cpu;<cpu>;<elf>>" -P compare_replay.cmake
execute_process(COMMAND ${NATIVE} OUTPUT_VARIABLE native RESULT_VARIABLE native_status)
execute_process(COMMAND ${HANDSET} OUTPUT_VARIABLE handset RESULT_VARIABLE handset_status)
string(STRIP "${native}" native)
string(STRIP "${handset}" handset)
message("native:  ${native} (exit ${native_status})")
message("handset: ${handset} (exit ${handset_status})")
if(NOT native_status EQUAL 0 OR NOT handset_status EQUAL 0)
    message(FATAL_ERROR "a replay failed")
endif()
if(NOT native MATCHES "^replay: [0-9]+ games, digest [0-9a-f]+$" OR NOT handset STREQUAL native)
    message(FATAL_ERROR "the handset's replay differs from the native one")
endif()
