#pragma once

// Runs a piece of a test as the user "nobody" when the tests run as root, since root reads
// any file and folder whatever its permissions; as any other user it runs in place.

#include <functional>

// The body's result (0 to 255) is the outcome; 250 and above mean the child could not be run
// as "nobody" or did not end normally.
int RunUnprivileged(const std::function<int()>& body);
