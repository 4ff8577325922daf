# Runs one libFuzzer target for SECONDS on a working copy of its seeds: cmake -DFUZZER=...
# -DSEEDS=<seed folder> -DWORK=<folder in the build tree> -DSECONDS=<n> -P RunFuzz.cmake
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)
file(COPY ${SEEDS}/ DESTINATION ${WORK}/corpus)
execute_process(
  COMMAND ${FUZZER} ${WORK}/corpus
    -max_total_time=${SECONDS} -rss_limit_mb=2048 -max_len=65536 -timeout=10
    -artifact_prefix=${WORK}/artifacts/ -print_final_stats=1
  WORKING_DIRECTORY ${WORK}
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "${FUZZER} found a failing input (exit status ${status}); see ${WORK}/artifacts/")
endif()
