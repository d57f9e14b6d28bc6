# Icons of programs and libraries.
