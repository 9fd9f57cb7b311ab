// Export macro of the lusys shared library.
//
// LUSYS_API marks the classes and functions that the library exports. Building
// the library defines LUSYS_BUILDING; a caller that links the library
// statically defines LUSYS_STATIC.
#ifndef LUSYS_EXPORT_H_
#define LUSYS_EXPORT_H_

#if defined(LUSYS_STATIC)
#define LUSYS_API
#elif defined(_WIN32)
#if defined(LUSYS_BUILDING)
#define LUSYS_API __declspec(dllexport)
#else
#define LUSYS_API __declspec(dllimport)
#endif
#else
#define LUSYS_API __attribute__((visibility("default")))
#endif

#endif  // LUSYS_EXPORT_H_
