# Warnings are errors in every configuration of our own code.
add_compile_options(-Wall -Wextra -Werror)
