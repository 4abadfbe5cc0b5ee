# libFuzzer targets, built natively by clang with AddressSanitizer and UBSan. Each one replays its seed corpus
# as a test; scripts/fuzz.sh runs them for longer. The decode target's seeds are the test pictures too.
if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "The fuzz targets need clang (the fuzz preset sets it)")
endif()
set(FUZZ_SANITIZE -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
target_compile_options(brandwick_logic PRIVATE ${FUZZ_SANITIZE} -fsanitize=fuzzer-no-link)
# The decoders take any checksum here, so that mutated pictures reach the code behind the checksums.
target_compile_definitions(brandwick_logic PRIVATE FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION)

set(PICTURE_SEEDS ${CMAKE_SOURCE_DIR}/tests/pictures/check ${CMAKE_SOURCE_DIR}/tests/pictures/decode)

foreach(name oeminfo support_split regdata profile decode)
    add_executable(fuzz_${name} tests/fuzz/fuzz_${name}.cpp)
    target_link_libraries(fuzz_${name} PRIVATE brandwick_logic)
    target_compile_options(fuzz_${name} PRIVATE ${BRANDWICK_WARNINGS} ${FUZZ_SANITIZE} -fsanitize=fuzzer)
    target_link_options(fuzz_${name} PRIVATE ${FUZZ_SANITIZE} -fsanitize=fuzzer)
    set(seeds ${CMAKE_SOURCE_DIR}/tests/fuzz/corpus/${name})
    if(name STREQUAL "decode")
        set(seeds ${PICTURE_SEEDS} ${seeds}) # the test pictures and what fuzzing found
    endif()
    # -runs=0: every seed once, nothing new.
    add_test(NAME Fuzz.${name}.ReplaysCorpus COMMAND fuzz_${name} -runs=0 ${seeds})
endforeach()
