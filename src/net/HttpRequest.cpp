#include "HttpRequest.h"

#include "HttpClient.h"

HttpResponse httpRequest(const HttpRequest& request)
{
    if (request.client)
        return request.client->send(request);
    HttpClient client;
    return client.send(request);
}
