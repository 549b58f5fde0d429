# Build options shared by every target of the project.

option(TALUMA_BUILD_TESTS "Build the test programs" ON)
option(TALUMA_SANITIZE_THREAD "Build everything with ThreadSanitizer" OFF)
option(TALUMA_SANITIZE_ADDRESS
  "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

# Benchmarks need Google Benchmark, which is only installed for the native build.
if(CMAKE_CROSSCOMPILING OR TALUMA_SANITIZE_THREAD OR TALUMA_SANITIZE_ADDRESS)
  set(_bench_default OFF)
else()
  set(_bench_default ON)
endif()
option(TALUMA_BUILD_BENCHMARKS "Build the benchmarks" ${_bench_default})

# The engine is integer arithmetic up to the final gains; keeping the float steps
# free of contraction and fast-math makes every platform render identical samples.
add_compile_options(-ffp-contract=off -fno-fast-math)

if(TALUMA_SANITIZE_THREAD)
  add_compile_options(-fsanitize=thread -g -O1)
  add_link_options(-fsanitize=thread)
endif()

# Line coverage (gcov) of everything built, for tools/coverage.sh.
option(TALUMA_COVERAGE "Build with gcov instrumentation" OFF)
if(TALUMA_COVERAGE)
  add_compile_options(--coverage -O1)
  add_link_options(--coverage)
endif()

# GCC leaves float-to-integer overflow out of "undefined"; a host's huge values meet it.
if(TALUMA_SANITIZE_ADDRESS)
  add_compile_options(-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all
    -fno-omit-frame-pointer -g -O1)
  add_link_options(-fsanitize=address,undefined)
endif()

# Warnings for the project's own code (not for the SDK sources it compiles).
function(taluma_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra)
endfunction()
