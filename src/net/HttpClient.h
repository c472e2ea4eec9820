#pragma once

#include "HttpRequest.h"

#include <QtGlobal>

#include <mutex>

// A libcurl easy handle: requests sent on the same client reuse its open connections.
// Requests from several threads on one client take turns.
class HttpClient final
{
public:
    HttpClient();
    ~HttpClient();
    Q_DISABLE_COPY_MOVE(HttpClient)

    // Without a handle (libcurl could not make one) the response is empty and the request's
    // cookies come back unchanged.
    HttpResponse send(const HttpRequest& request);

private:
    std::mutex m_mutex;
    void* m_handle; // a CURL*; guarded by m_mutex
};
