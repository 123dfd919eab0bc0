 select *                                                                       
 From   Account_Qel_AA                                                          
 where  rtrim(Date_Day) + rtrim(kubun_bon)   =    :tbDayBon                     
        and  rtrim(serial_qel) =  :tbSerial_qel      and  rtrim(kubun_qel) = '3'
        and  Form_Kubun = 'A003'                                                
 order  by  serial_bun,  serial_crdr                                            
