# Warnings are errors for our own code; third-party headers come in as system headers.
add_library(cs_warnings INTERFACE)
target_compile_options(cs_warnings INTERFACE -Wall -Wextra -Werror -Wno-missing-field-initializers)
