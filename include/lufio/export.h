// Export macro of the lufio shared library.
//
// LUFIO_API marks the exported classes. Building the library defines
// LUFIO_BUILDING; a caller that links the library statically defines
// LUFIO_STATIC.
#ifndef LUFIO_EXPORT_H_
#define LUFIO_EXPORT_H_

#if defined(LUFIO_STATIC)
#define LUFIO_API
#elif defined(_WIN32)
#if defined(LUFIO_BUILDING)
#define LUFIO_API __declspec(dllexport)
#else
#define LUFIO_API __declspec(dllimport)
#endif
#else
#define LUFIO_API __attribute__((visibility("default")))
#endif

#endif  // LUFIO_EXPORT_H_
