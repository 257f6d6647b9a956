! Reads one 32-bit pattern per line (eight hexadecimal digits) from standard input and writes
! the single-precision value it stands for under F6.2, F8.2, F12.5, F15.3, F20.5 and F4.1,
! rounding ties away from zero, one line per value with the fields side by side.
program fixed_point_reference
  implicit none
  integer :: bits, status
  real :: x
  do
    read (*, '(Z8)', iostat=status) bits
    if (status /= 0) exit
    x = transfer(bits, x)
    write (*, '(RC,F6.2,F8.2,F12.5,F15.3,F20.5,F4.1)') x, x, x, x, x, x
  end do
end program fixed_point_reference
