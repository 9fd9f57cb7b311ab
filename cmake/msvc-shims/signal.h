// Stands for MSVC's <signal.h>: Wine's lacks sig_atomic_t.
#pragma once
#include_next <signal.h>
typedef int sig_atomic_t;
