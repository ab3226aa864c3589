// Start-up of the program: the real services are put together here.
int main()
{
    return 0;
}
